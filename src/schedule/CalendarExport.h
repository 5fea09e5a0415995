#pragma once

#include "schedule/ReminderKind.h"
#include "schedule/YearlyRepeat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

// The user's pending and repeating reminders as an iCalendar file (RFC 5545) that other
// calendars import. Each reminder is one event whose UID comes from its key, so that importing
// a newer file updates the events instead of adding them again.
namespace CalendarExport {

struct ExportedReminder {
    qint64 key = 0;
    QString content;
    ReminderKind kind = ReminderKind::Ordinary; // an ordinary reminder never repeats
    QDateTime start;
    std::optional<YearlyRepeat::YearlyAnchor> repeat;
};

// Times are floating local times, as the reminders are kept. A solar repetition is a yearly
// rule (29 February with RSCALE=GREGORIAN;SKIP=BACKWARD, RFC 7529); a lunar one is the list of
// its dates over the ten years after `now`, since a calendar that ignores a lunar RSCALE would
// read the rule as a Gregorian one. A start that a postponement moved off its occurrence moves
// that one occurrence only (RECURRENCE-ID), as in the program.
QByteArray toICalendar(const std::vector<ExportedReminder>& reminders, const QDateTime& now);

} // namespace CalendarExport
