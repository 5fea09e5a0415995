#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

class QSqlError;

// Something the store could not do. It says what kind of trouble it was and carries the facts
// (the file, the table, the engine's own message); it never carries a sentence of the
// program's: the windows choose the words (ErrorTexts), so that they can be reworded or
// translated without touching what the store decides.
class StoreError : public std::runtime_error {
public:
    enum class Kind {
        Refused,              // the engine ran the statement and refused it; engineMessage says why
        Busy,                 // another copy holds the lock, and the wait for it gave up
        Missing,              // subject: the store file, no longer the one at its path
        Unreachable,          // a server that cannot be reached now; engineMessage says why
        NotOpen,              // no connection is open
        UnsupportedStatement, // subject: the statement text
        UnknownParameter,     // subject: the parameter name
        UnknownField,         // subject: the column name
        ClosedResult,         // a field read from a result that is not open
        NotAnInteger,         // subject: the text read as a whole number
        NotADateTime,         // subject: the text read as a moment
        NoSuchTable,          // subject: the table a store must have
        StoreExists,          // subject: the file that is never overwritten
        TablesExist,          // subject: the database's location; detail: the table
        CannotCreate,         // subject: the new store's location; cause or engineMessage
        CannotConnect,        // subject: the server's location; cause or engineMessage
        CannotOpenSource,     // subject: the store to copy from; cause or engineMessage
        CopyFailed,           // subject: the table; detail: the keys; engineMessage
        CannotUpgrade,        // subject: the store's location; cause
        NoDriver,             // subject: the Qt SQL driver that is not installed
        BadUri,               // engineMessage: what libpq said of it (may be empty)
        PasswordInUri,        // a connection URI that carries a password
        SemicolonInUri,       // subject: the URI parameter holding a ";"
        UserInUri,            // subject: the user a program's URI names (the login names him)
        ForbiddenUriParameter, // subject: the URI parameter the program does not accept
        WrongPassword,        // the server refused the password; subject: the role
        ServerSilent,         // a statement the server left unanswered; subject: seconds waited
        NotUpgraded,          // subject: the store that a previous version made; upgrade first
    };

    explicit StoreError(Kind kind, QString subject = {}, QString engineMessage = {},
                        QString detail = {});
    // A failure of `kind` about `subject` whose reason is another store error.
    StoreError(Kind kind, QString subject, const StoreError& cause);

    // The error of a failed statement, with its kind read from the engine's code.
    static StoreError fromEngine(const QSqlError& error);
    // What the engine said of a failure, without the decoration drivers and servers add.
    static QString messageOf(const QSqlError& error);

    Kind kind() const { return kind_; }
    const QString& subject() const { return subject_; }
    const QString& engineMessage() const { return engineMessage_; }
    const QString& detail() const { return detail_; }
    // The store error this one happened because of, or nullptr.
    const StoreError* cause() const { return cause_.get(); }

private:
    Kind kind_;
    QString subject_;
    QString engineMessage_;
    QString detail_;
    std::shared_ptr<const StoreError> cause_;
};
