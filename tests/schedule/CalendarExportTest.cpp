// The exported calendar read back with libical: one event per reminder with its key, yearly
// rules for the solar date, the published mid-autumn dates for a lunar anniversary.
#include "schedule/CalendarExport.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>

namespace {

using CalendarExport::ExportedReminder;
using YearlyRepeat::parse;

QDateTime at(const char* isoMoment) {
    return QDateTime::fromString(QString::fromLatin1(isoMoment), Qt::ISODate);
}

QString timeText(const icaltimetype& time) {
    return QString::fromLatin1(icaltime_as_ical_string(time));
}

struct ReadEvent {
    QString start;
    QString summary;
    QString description;
    QStringList rules;
    QStringList dates;
    QStringList firstRuleInstances; // the first four instances of the first rule
};

// Events by UID, and by UID and RECURRENCE-ID for the moved occurrences.
std::map<QString, ReadEvent> readEvents(const QByteArray& file) {
    std::map<QString, ReadEvent> events;
    icalcomponent* calendar = icalparser_parse_string(file.constData());
    EXPECT_NE(calendar, nullptr);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        QString id = QString::fromUtf8(icalcomponent_get_uid(event));
        ReadEvent read;
        const icaltimetype start = icalcomponent_get_dtstart(event);
        EXPECT_TRUE(start.zone == nullptr && !icaltime_is_utc(start)) << "floating local time";
        read.start = timeText(start);
        read.summary = QString::fromUtf8(icalcomponent_get_summary(event));
        read.description = QString::fromUtf8(icalcomponent_get_description(event));
        // Properties are collected first: the getters above restart the component's iteration.
        std::vector<icalrecurrencetype> rules;
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY);
             p != nullptr; p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
            switch (icalproperty_isa(p)) {
            case ICAL_RRULE_PROPERTY:
                rules.push_back(icalproperty_get_rrule(p));
                read.rules << QString::fromLatin1(icalproperty_get_value_as_string(p));
                break;
            case ICAL_RDATE_PROPERTY:
                read.dates << timeText(icalproperty_get_rdate(p).time);
                break;
            case ICAL_RECURRENCEID_PROPERTY:
                id += QStringLiteral(" moved ") + timeText(icalproperty_get_recurrenceid(p));
                break;
            default:
                break;
            }
        }
        if (!rules.empty()) {
            icalrecur_iterator* instances = icalrecur_iterator_new(rules.front(), start);
            EXPECT_NE(instances, nullptr);
            for (int i = 0; instances != nullptr && i < 4; ++i) {
                read.firstRuleInstances << timeText(icalrecur_iterator_next(instances));
            }
            icalrecur_iterator_free(instances);
        }
        EXPECT_TRUE(events.emplace(id, read).second) << id.toStdString();
    }
    icalcomponent_free(calendar);
    return events;
}

TEST(CalendarExportTest, EachReminderIsAnEventThatReadsBack) {
    const std::vector<ExportedReminder> reminders = {
        // An ordinary reminder ignores a repetition it carries.
        {1, QStringLiteral("开会\r\n带上上季度的报告"), ReminderKind::Ordinary,
         at("2020-09-03T14:30:00"), parse(QStringLiteral("S:2019-09-03@14:30"))},
        {2, QStringLiteral("妈妈生日"), ReminderKind::Birthday, at("2020-10-01T09:00:00"),
         parse(QStringLiteral("S:1990-10-01@09:00"))},
        // Born on 29 February; this year's occurrence is the 28th.
        {3, QStringLiteral("小明生日"), ReminderKind::Birthday, at("2021-02-28T08:00:00"),
         parse(QStringLiteral("S:2000-02-29@08:00"))},
        // 中秋, postponed by ten minutes this year.
        {4, QStringLiteral("中秋，给爷爷奶奶打电话，问问身体怎么样，顺便说说孩子上学的事情"),
         ReminderKind::Anniversary, at("2020-10-01T20:10:00"),
         parse(QStringLiteral("L:2019-8-15@20:00"))},
    };
    const QByteArray file = CalendarExport::toICalendar(reminders, at("2020-09-01T12:00:00"));
    ASSERT_TRUE(file.startsWith("BEGIN:VCALENDAR\r\n")) << file.left(40).toStdString();
    const std::map<QString, ReadEvent> events = readEvents(file);
    ASSERT_EQ(events.size(), 5U) << file.toStdString();

    const ReadEvent& meeting = events.at(QStringLiteral("qxreminder-1"));
    EXPECT_EQ(meeting.start, QStringLiteral("20200903T143000"));
    EXPECT_EQ(meeting.summary, QStringLiteral("开会"));
    EXPECT_EQ(meeting.description, QStringLiteral("开会\n带上上季度的报告"));
    EXPECT_TRUE(meeting.rules.isEmpty() && meeting.dates.isEmpty());

    const ReadEvent& mother = events.at(QStringLiteral("qxreminder-2"));
    EXPECT_EQ(mother.start, QStringLiteral("20201001T090000"));
    EXPECT_EQ(mother.rules, QStringList{QStringLiteral("FREQ=YEARLY")});
    EXPECT_TRUE(file.contains("\r\nRRULE:FREQ=YEARLY\r\n"));

    const ReadEvent& leapDay = events.at(QStringLiteral("qxreminder-3"));
    EXPECT_EQ(leapDay.start, QStringLiteral("20210228T080000"));
    ASSERT_EQ(leapDay.rules.size(), 1);
    EXPECT_TRUE(leapDay.rules[0].contains(QStringLiteral("RSCALE=GREGORIAN")) &&
                leapDay.rules[0].contains(QStringLiteral("SKIP=BACKWARD")))
        << leapDay.rules[0].toStdString();
    EXPECT_EQ(leapDay.firstRuleInstances,
              (QStringList{QStringLiteral("20210228T080000"), QStringLiteral("20220228T080000"),
                           QStringLiteral("20230228T080000"), QStringLiteral("20240229T080000")}));

    // The series keeps 20:00; only this year's occurrence moved to 20:10. The dates are the
    // mid-autumn days of the ten years ahead.
    const ReadEvent& midAutumn = events.at(QStringLiteral("qxreminder-4"));
    EXPECT_EQ(midAutumn.start, QStringLiteral("20201001T200000"));
    EXPECT_TRUE(midAutumn.rules.isEmpty());
    EXPECT_EQ(midAutumn.dates,
              (QStringList{QStringLiteral("20210921T200000"), QStringLiteral("20220910T200000"),
                           QStringLiteral("20230929T200000"), QStringLiteral("20240917T200000"),
                           QStringLiteral("20251006T200000"), QStringLiteral("20260925T200000"),
                           QStringLiteral("20270915T200000"), QStringLiteral("20281003T200000"),
                           QStringLiteral("20290922T200000")}));
    const ReadEvent& moved = events.at(QStringLiteral("qxreminder-4 moved 20201001T200000"));
    EXPECT_EQ(moved.start, QStringLiteral("20201001T201000"));
    EXPECT_EQ(moved.description, reminders[3].content);
    EXPECT_TRUE(moved.rules.isEmpty() && moved.dates.isEmpty());
}

} // namespace
