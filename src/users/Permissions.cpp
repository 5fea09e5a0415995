#include "users/Permissions.h"

#include "store/Query.h"
#include "store/Statements.h"

Permissions::Grants Permissions::fromString(const QString& text) {
    Grants grants{};
    for (int i = 0; i < kPositions; ++i)
        grants[i] = i < text.size() && text[i] == QLatin1Char('1');
    return grants;
}

QString Permissions::toString(const Grants& grants) {
    QString text;
    for (bool granted : grants)
        text += granted ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

Permissions::Grants Permissions::forAccount(Query& query, int accountKey) {
    query.setStatement(Statements::kSelectPermission);
    query.bindInteger(QStringLiteral("p"), accountKey);
    query.open();
    const QString text = query.fieldAsString(QStringLiteral("UserPopdem"));

    query.setStatement(Statements::kSelectUserByKey);
    query.bindInteger(QStringLiteral("p"), accountKey);
    query.open();
    const qint64 admin = query.fieldAsInteger(QStringLiteral("IfAdmin"));
    query.close();

    if (admin == 1) {
        Grants all;
        all.fill(true);
        return all;
    }
    return fromString(text);
}
