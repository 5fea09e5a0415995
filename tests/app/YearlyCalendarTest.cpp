// The user's yearly reminders in the main window: marked in the lists and their details, on
// the calendar page (marks, tooltip, the coming days, a double-click to add), and exported.
#include "MainWindowFixture.h"
#include "calview/CalendarGrid.h"
#include "entry/AddReminderDialog.h"
#include "platform/FilePickers.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QHelpEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolTip>

namespace {

class YearlyCalendarTest : public MainWindowFixture {
protected:
    int addBirthday(int recipient, const QString& begin, const QString& repeat) {
        TempStore::Reminder r;
        r.recipient = recipient;
        r.publisher = other;
        r.detail = "妈妈的农历生日";
        r.kind = 1;
        r.action = 1;
        r.beginTime = begin;
        const int key = store.addReminder(r);
        if (!repeat.isEmpty())
            store.execute("UPDATE tbl_reminder SET ReRepeat = ? WHERE KeyID = ?", {repeat, key});
        return key;
    }
    CalendarView* calendar() const { return control<CalendarView>(&window, "calendarView"); }
    QRect dayRect(int day) const {
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (calendar()->cell(n).filled && calendar()->cell(n).day == day) {
                const QPoint p = CalendarLayout::cellPosition(n);
                return control<CalendarGrid>(calendar(), "grid")->cellRect(p.x(), p.y());
            }
        ADD_FAILURE() << "no cell of day " << day;
        return {};
    }
};

TEST_F(YearlyCalendarTest, RepeatingRemindersAreMarkedInTheListsTheCalendarAndTheComingDays) {
    clock.set(QDateTime(QDate(2024, 1, 15), QTime(12, 0)));
    const int key = addBirthday(me, "2024-01-21 09:00:00 ", "L:1985-12-11@09:00");
    addBirthday(other, "2024-01-25 09:00:00 ", QString());
    store.setPermission(me, "111111111");
    loginAs("me", "pw");

    EXPECT_EQ(column(list("pendingList"), Column::Repeat), QStringList{"按农历每年"});
    list("pendingList")->selectRow(0);
    emit list("pendingList")->rowDoubleClicked(0);
    EXPECT_TRUE(boxes.last().text.endsWith(
        QStringLiteral("【每年重复】按农历每年（农历 腊月十一），38 岁生日")))
        << boxes.last().text.toStdString();

    pages()->setCurrentIndex(1);
    EXPECT_EQ(calendar()->markText(21), QStringLiteral("生日提醒 09:00 妈妈的农历生日"));
    EXPECT_TRUE(calendar()->markText(25).isEmpty()) << "another user's reminder";
    QHelpEvent tip(QEvent::ToolTip, dayRect(21).center(),
                   calendar()->mapToGlobal(dayRect(21).center()));
    QApplication::sendEvent(control<CalendarGrid>(calendar(), "grid"), &tip);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("生日提醒 09:00 妈妈的农历生日"));
    QToolTip::hideText();
    // Next year's occurrence is computed for the month that shows it.
    calendar()->setDateTime(QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    EXPECT_FALSE(calendar()->markText(10).isEmpty());

    const ReportList* coming = list("comingList");
    ASSERT_EQ(coming->count(), 1);
    EXPECT_EQ(coming->text(0, Column::Key), QString::number(key));
    EXPECT_EQ(coming->text(0, Column::Date), QStringLiteral("2024-01-21 09:00"));
    EXPECT_EQ(coming->text(0, Column::DaysToGo), QStringLiteral("还有 6 天"));
    EXPECT_EQ(coming->text(0, Column::LunarDate), QStringLiteral("农历 腊月十一"));
    EXPECT_EQ(coming->text(0, Column::Years), QStringLiteral("38 岁生日"));

    // A double-click on a day: the add dialog on it, at 09:00 for a day still to come.
    QDate day;
    QTime time;
    bool picked = false;
    ScriptedModal modal([&](QDialog& dialog) {
        day = control<QDateEdit>(&dialog, "startDateEdit")->date();
        time = control<QTimeEdit>(&dialog, "startTimeEdit")->time();
        picked = control<QRadioButton>(&dialog, "startPickedButton")->isChecked();
        return int(QDialog::Rejected);
    });
    QTest::mouseDClick(control<CalendarGrid>(calendar(), "grid"), Qt::LeftButton, {},
                       dayRect(20).center());
    EXPECT_EQ(day, QDate(2025, 1, 20));
    EXPECT_EQ(time, QTime(9, 0));
    EXPECT_TRUE(picked);

    QTemporaryDir folder;
    const QString path = folder.filePath("mine.ics");
    FilePickers::install([&](const FilePickers::Request&) { return path; });
    menuItem("exportCalendarAction")->trigger();
    FilePickers::install({});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ics = file.readAll();
    EXPECT_TRUE(ics.contains("UID:qxreminder-" + QByteArray::number(key)));
    EXPECT_TRUE(ics.contains("RDATE"));
}

TEST_F(YearlyCalendarTest, WithoutTheRightToAddADoubleClickOpensNothing) {
    store.setPermission(me, "000000000");
    loginAs("me", "pw");
    int opened = 0;
    ScriptedModal modal([&](QDialog&) {
        ++opened;
        return int(QDialog::Rejected);
    });
    pages()->setCurrentIndex(1);
    QTest::mouseDClick(control<CalendarGrid>(calendar(), "grid"), Qt::LeftButton, {},
                       dayRect(20).center());
    EXPECT_EQ(opened, 0);
}

} // namespace
