#include "store/UserNames.h"

#include "store/Statements.h"

UserNames UserNames::read(Query& query) {
    UserNames names;
    query.SetSQL(QString::fromUtf8(Statements::kSelectAllUsers));
    query.Open();
    names.names_.reserve(query.RecordCount());
    for (query.First(); !query.Eof(); query.Next())
        names.names_.insert(query.FieldAsInteger(QStringLiteral("KeyID")),
                            query.FieldAsString(QStringLiteral("UserTrueName")));
    query.Close();
    return names;
}
