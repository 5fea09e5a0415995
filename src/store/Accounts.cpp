#include "store/Accounts.h"

#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Passwords.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/StoreError.h"

namespace {

bool onServer(const Query& query) {
    return Connection::engine(query.connectionName()) == Engine::Postgres;
}

Accounts::LoggedIn accountFrom(const Query& query, const QString& typedPassword) {
    Accounts::LoggedIn account;
    account.key = static_cast<int>(query.fieldAsInteger(QStringLiteral("KeyID")));
    account.trueName = query.fieldAsString(QStringLiteral("UserTrueName"));
    account.administrator = query.fieldAsInteger(QStringLiteral("IfAdmin")) == 1;
    account.mustChangePassword =
        account.administrator && Passwords::normalised(typedPassword) ==
                                     Passwords::normalised(NewStore::kAdminDefaultPassword);
    return account;
}

void writeVerifier(Query& query, int accountKey, const QString& verifier) {
    query.setStatement(QString::fromUtf8(Statements::kUpdatePassword));
    query.bindText(QStringLiteral("p"), verifier);
    query.bindInteger(QStringLiteral("p1"), accountKey);
    query.execute();
}

} // namespace

std::optional<Accounts::LoggedIn> Accounts::logIn(Query& query, const QString& loginName,
                                                  const QString& typedPassword) {
    if (onServer(query)) {
        try {
            Connection::logIn(query.connectionName(), loginName,
                              Passwords::normalised(typedPassword));
        } catch (const StoreError& error) {
            if (error.kind() == StoreError::Kind::WrongPassword)
                return std::nullopt;
            throw;
        }
        query.setStatement(QString::fromUtf8(Statements::kSelectUserByLogName));
        query.bindText(QStringLiteral("p"), loginName);
        query.open();
        if (query.recordCount() == 0)
            return std::nullopt;
        const LoggedIn account = accountFrom(query, typedPassword);
        query.close();
        return account;
    }
    query.setStatement(QString::fromUtf8(Statements::kLogin));
    query.bindText(QStringLiteral("p1"), loginName);
    query.open();
    for (query.first(); !query.atEnd(); query.next()) {
        const QString stored = query.fieldAsString(QStringLiteral("UserPwd"));
        if (!Passwords::matches(typedPassword, stored))
            continue;
        const LoggedIn account = accountFrom(query, typedPassword);
        query.close();
        if (!Passwords::isVerifier(stored)) {
            // The first login with this version takes the plain password out of the store.
            // A store that cannot be written now keeps it until a later login.
            try {
                writeVerifier(query, account.key, storedPassword(typedPassword));
            } catch (const StoreError&) {
            }
        }
        return account;
    }
    query.close();
    return std::nullopt;
}

bool Accounts::checkingPasswordIsCheap(const Query& query) {
    return !onServer(query);
}

bool Accounts::passwordMatches(Query& query, int accountKey, const QString& loginName,
                               const QString& typedPassword) {
    if (onServer(query))
        return Connection::checkPassword(query.connectionName(), loginName,
                                         Passwords::normalised(typedPassword));
    query.setStatement(QString::fromUtf8(Statements::kPasswordOfAccount));
    query.bindInteger(QStringLiteral("p"), accountKey);
    query.open();
    // An account that is gone (deleted meanwhile) has no password to match.
    const bool matches =
        query.recordCount() >= 1 &&
        Passwords::matches(typedPassword, query.fieldAsString(QStringLiteral("UserPwd")));
    query.close();
    return matches;
}

void Accounts::changePassword(Query& query, int accountKey, const QString& typedPassword) {
    writeVerifier(query, accountKey, storedPassword(typedPassword));
    Connection::passwordChanged(query.connectionName(), Passwords::normalised(typedPassword));
}

QString Accounts::storedPassword(const QString& typedPassword) {
    return Passwords::makeVerifier(Passwords::normalised(typedPassword));
}

bool Accounts::fitsStore(const Query& query, const QString& loginName) {
    return Connection::fitsRoleName(query.connectionName(), loginName);
}

bool Accounts::acceptsEmptyPassword(const Query& query) {
    return !onServer(query);
}

bool Accounts::mayHaveInitialPassword(const Query& query) {
    return !onServer(query);
}
