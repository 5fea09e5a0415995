#include "schedule/CalendarExport.h"

#include "schedule/ReminderKind.h"

#include <libical/ical.h>
#include <memory>

namespace CalendarExport {

namespace {

using YearlyRepeat::RepeatCalendar;
using YearlyRepeat::YearlyAnchor;

// How far ahead the dates of a lunar repetition are written.
constexpr int kLunarYearsAhead = 10;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// A floating time: the wall clock of wherever the calendar is read, as the reminders are kept.
icaltimetype floatingTime(const QDateTime& moment) {
    icaltimetype time = icaltime_null_time();
    const QDate date = moment.date();
    const QTime clock = moment.time();
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    time.hour = clock.hour();
    time.minute = clock.minute();
    time.second = clock.second();
    time.is_date = 0;
    return time;
}

// The memo writes Windows line ends; the file escapes plain ones.
QString plainLines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

// An event of the reminder, starting at `start`: UID, stamp, start and texts.
icalcomponent* newEvent(const ExportedReminder& reminder, const QDateTime& start,
                        const icaltimetype& stamp) {
    icalcomponent* event = icalcomponent_new_vevent();
    const QByteArray uid = QStringLiteral("qxreminder-%1").arg(reminder.key).toUtf8();
    const QString description = plainLines(reminder.content);
    const QByteArray summary = description.section(QLatin1Char('\n'), 0, 0).toUtf8();
    icalcomponent_add_property(event, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(floatingTime(start)));
    icalcomponent_add_property(event, icalproperty_new_summary(summary.constData()));
    icalcomponent_add_property(event,
                               icalproperty_new_description(description.toUtf8().constData()));
    return event;
}

void addSolarRule(icalcomponent* event, const YearlyAnchor& anchor) {
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_YEARLY_RECURRENCE;
    if (anchor.month == 2 && anchor.day == 29) {
        // 28 February in common years. The month and day are named because the series' start
        // may itself be a 28 February.
        rule.rscale = const_cast<char*>("GREGORIAN");
        rule.skip = ICAL_SKIP_BACKWARD;
        rule.by_month[0] = 2;
        rule.by_month_day[0] = 29;
    }
    icalcomponent_add_property(event, icalproperty_new_rrule(rule));
}

void addLunarDates(icalcomponent* event, const YearlyAnchor& anchor, const QDateTime& seriesStart,
                   const QDateTime& now) {
    const QDateTime from = std::max(seriesStart, now);
    for (const QDateTime& occurrence : YearlyRepeat::occurrencesBetween(
             anchor, from.date(), now.date().addYears(kLunarYearsAhead))) {
        if (occurrence <= from) {
            continue;
        }
        icaldatetimeperiodtype date{};
        date.time = floatingTime(occurrence);
        date.period = icalperiodtype_null_period();
        icalcomponent_add_property(event, icalproperty_new_rdate(date));
    }
}

void addReminder(icalcomponent* calendar, const ExportedReminder& reminder,
                 const icaltimetype& stamp, const QDateTime& now) {
    const bool repeats = reminder.repeat && reminder.kind != ReminderKind::Ordinary;
    if (!repeats) {
        icalcomponent_add_component(calendar, newEvent(reminder, reminder.start, stamp));
        return;
    }
    const YearlyAnchor& anchor = *reminder.repeat;
    // The series runs through the occurrence the start belongs to; a postponement moved that
    // one only.
    const QDateTime seriesStart =
        YearlyRepeat::latestOccurrence(anchor, reminder.start).value_or(reminder.start);
    icalcomponent* series = newEvent(reminder, seriesStart, stamp);
    if (anchor.calendar == RepeatCalendar::Solar) {
        addSolarRule(series, anchor);
    } else {
        addLunarDates(series, anchor, seriesStart, now);
    }
    icalcomponent_add_component(calendar, series);
    if (seriesStart != reminder.start) {
        icalcomponent* moved = newEvent(reminder, reminder.start, stamp);
        icalcomponent_add_property(moved, icalproperty_new_recurrenceid(floatingTime(seriesStart)));
        icalcomponent_add_component(calendar, moved);
    }
}

} // namespace

QByteArray toICalendar(const std::vector<ExportedReminder>& reminders, const QDateTime& now) {
    const Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Chengling//QxReminder//ZH"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(
        static_cast<time_t>(now.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
    for (const ExportedReminder& reminder : reminders) {
        if (reminder.start.isValid()) {
            addReminder(calendar.get(), reminder, stamp, now);
        }
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray file(text);
    icalmemory_free_buffer(text);
    return file;
}

} // namespace CalendarExport
