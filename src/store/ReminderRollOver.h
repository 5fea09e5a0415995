#pragma once

#include <QString>
#include <functional>
#include <optional>

// Acknowledging a pending reminder ("我知道了") in one transaction: the row becomes history,
// and a reminder that comes back every year gets its next occurrence as a new pending row
// with the same recipient, publisher, content, kind, interval, publish time and repetition.
// Two copies of the program acknowledging the same row at once write exactly one next
// occurrence: the row is read as still pending inside the transaction that writes, which a
// file takes with its write lock and a server with the row's lock.
namespace ReminderRollOver {

// What the next occurrence is computed from: the acknowledged row as it was stored.
struct AcknowledgedRow {
    int kind = 0;      // Retype
    QString repeat;    // ReRepeat, empty for none
    QString beginTime; // ReBeginTime, as stored
    QString intervalNumber;
    QString intervalUnit;
};

// The next occurrence's own columns.
struct NextRow {
    QString beginTime;               // a picked-moment text
    std::optional<qint64> totalTime; // on the entry scale; none leaves it without a value
};

// The next occurrence of an acknowledged row; none when it has no repetition, or when its
// series has ended.
using NextOccurrence = std::function<std::optional<NextRow>(const AcknowledgedRow&)>;

enum class Result {
    NotPending,   // acknowledged or withdrawn meanwhile (by another copy): nothing written
    Acknowledged, // history now, without a next occurrence
    RolledOver,   // history now, and its next occurrence is pending
};

// Acknowledges the reminder with that key on the store open under the connection name.
// Throws StoreError, with nothing written, when the store refuses it.
Result acknowledge(const QString& connectionName, const QString& keyText,
                   const NextOccurrence& next);

} // namespace ReminderRollOver
