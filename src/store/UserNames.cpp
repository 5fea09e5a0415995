#include "store/UserNames.h"

#include "store/Statements.h"

UserNames UserNames::read(Query& query) {
    UserNames names;
    query.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    query.open();
    names.names_.reserve(query.recordCount());
    for (query.first(); !query.atEnd(); query.next())
        names.names_.insert(query.fieldAsInteger(QStringLiteral("KeyID")),
                            query.fieldAsString(QStringLiteral("UserTrueName")));
    query.close();
    return names;
}
