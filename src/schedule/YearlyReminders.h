#pragma once

#include "schedule/ReminderKind.h"
#include "schedule/YearlyRepeat.h"
#include "store/ReminderRollOver.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What a stored reminder's yearly repetition means to the program: which rows repeat, the
// next occurrence written when one is acknowledged, and the texts that say so.
namespace YearlyReminders {

// The repetition a row carries. An ordinary reminder never repeats, whatever it carries (a
// copy of the previous version may have edited a birthday into one), and a text that is no
// anchor is no repetition.
std::optional<YearlyRepeat::YearlyAnchor> repetitionOf(int kind, const QString& stored);

// The roll-over's next occurrence at `now`: the first occurrence after both now and the
// acknowledged row's start (a program not run for years skips the years gone by), at the
// anchor's time of day, with the row's interval on the entry scale. None for a row that does
// not repeat and for a series that has left the calendar's span.
ReminderRollOver::NextOccurrence nextOccurrenceAt(const QDateTime& now);

// "按公历每年" or "按农历每年".
QString repeatText(const YearlyRepeat::YearlyAnchor& anchor);
// How old a birthday or anniversary is at an occurrence: "60 岁生日", "第 12 个纪念日",
// "第 3 年"; empty for the origin itself.
QString yearsText(ReminderKind kind, const YearlyRepeat::YearlyAnchor& anchor,
                  const QDateTime& occurrence);
// What the details box adds for a repeating reminder starting at `start`: how it repeats,
// its next year, and the end of a lunar series at the calendar's span.
QString detailsText(ReminderKind kind, const YearlyRepeat::YearlyAnchor& anchor,
                    const QDateTime& start);

} // namespace YearlyReminders
