#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// A statement the engine refused or could not run; carries the engine's message and what
// kind of trouble it was, for the few places that act differently on each.
class StoreError : public std::runtime_error {
public:
    enum class Kind {
        Refused, // the engine ran the statement and refused it (or any other failure)
        Busy,    // another copy holds the lock, and the wait for it gave up
        Missing, // the file the connection has open is no longer the one at the store's path
    };

    explicit StoreError(const QString& message, Kind kind = Kind::Refused)
        : std::runtime_error(message.toUtf8().toStdString()), kind_(kind) {}

    // The error of a failed statement, with its kind read from the engine's code.
    static StoreError fromEngine(const QSqlError& error);
    // What the engine said of a failure, without the decoration drivers and servers add.
    static QString messageOf(const QSqlError& error);

    Kind kind() const { return kind_; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Kind kind_;
};
