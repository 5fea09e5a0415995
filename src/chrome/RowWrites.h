#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// A save that writes one row per ticked item (a recipient, an account): every row is tried
// whatever happened to the one before, a refusal is counted with its reason, and the refusals
// are told once, together, when the save ends. Stopping at the first refusal would leave the
// rest unwritten behind a box that says nothing of them.
class RowWrites {
public:
    // Runs one row's write. A failure is counted, its reason kept (each reason once) and
    // false returned; nothing is thrown.
    bool attempt(const std::function<void()>& write);
    // A row that needed no write this time (written by an earlier try of the same save).
    void countWritten() { ++written_; }

    int written() const { return written_; }
    int refused() const { return refused_; }

    // When a row was refused, shows the default error box: the heading (`oneRowHeading` when
    // the save had a single row, `manyRowsHeading` with %1 rows written and %2 refused when it
    // had more) over the reasons. Returns whether a box was shown.
    bool reportRefusals(const QString& oneRowHeading, const QString& manyRowsHeading) const;

private:
    int written_ = 0;
    int refused_ = 0;
    QStringList reasons_;
};
