// The main window opens every other window as a new modal instance, and the entry dialogs
// reach back to reload its lists.
#include "app/MainWindow.h"
#include "entry/AddReminderDialog.h"
#include "entry/EditReminderDialog.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QMetaObject>
#include <gtest/gtest.h>

namespace {

class OpenersTest : public ::testing::Test {
protected:
    void SetUp() override {
        me = store.addUser("me", "我自己", "pw");
        store.session().currentUserKey = me;
        store.session().currentUserName = "我自己";
    }
    TempStore store;
    FakeClock clock;
    ScriptedBoxes boxes;
    int me = 0;
    MainWindow window{store.session()};
};

TEST_F(OpenersTest, EachTriggerOpensItsWindow) {
    QStringList opened;
    ScriptedModal modal([&](QDialog& dialog) {
        opened << dialog.objectName();
        return int(QDialog::Rejected);
    });
    const std::pair<const char*, const char*> triggers[] = {
        {"addReminderButton", "addReminderDialog"},
        {"quickPublishButton", "quickPublishDialog"},
        {"birthdayButton", "birthdayReminderDialog"},
        {"appointmentButton", "appointmentReminderDialog"},
        {"anniversaryButton", "anniversaryReminderDialog"},
        {"userAccountsAction", "userAccountsDialog"},
        {"permissionsAction", "permissionsDialog"},
        {"passwordAction", "passwordDialog"},
        {"aboutAction", "aboutDialog"},
    };
    for (const auto& [trigger, expected] : triggers) {
        SCOPED_TRACE(trigger);
        opened.clear();
        if (auto* button = window.findChild<QAbstractButton*>(trigger))
            button->click();
        else
            window.findChild<QAction*>(trigger)->trigger();
        EXPECT_EQ(opened, QStringList{QString::fromLatin1(expected)});
    }
}

TEST_F(OpenersTest, EditNeedsAPublishedSelectionAndOpensTheSelectedReminder) {
    int opened = 0;
    QString memo;
    ScriptedModal modal([&](QDialog& dialog) {
        ++opened;
        memo = control<QPlainTextEdit>(&dialog, "contentEdit")->toPlainText();
        return int(QDialog::Rejected);
    });
    control<QToolButton>(&window, "editReminderButton")->click();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(boxes.last().text, QStringLiteral("请选择一条记录进行操作！"));

    TempStore::Reminder r;
    r.recipient = 1;
    r.publisher = me;
    r.detail = "要改的提醒";
    store.addReminder(r);
    window.reloadLists();
    control<ReportList>(&window, "publishedList")->selectRow(0);
    control<QToolButton>(&window, "editReminderButton")->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(memo, QStringLiteral("要改的提醒"));
}

TEST_F(OpenersTest, APublishedReminderReachesTheListsAtOnce) {
    ScriptedModal modal([&](QDialog& dialog) {
        auto& add = dynamic_cast<AddReminderDialog&>(dialog);
        add.show();
        auto* recipients = control<ReportList>(&add, "recipientList");
        for (int row = 0; row < recipients->count(); ++row)
            recipients->setChecked(row, recipients->text(row, ReportList::Column::Name) ==
                                            QStringLiteral("我自己"));
        control<QPlainTextEdit>(&add, "contentEdit")->setPlainText("自己提醒自己");
        control<QPushButton>(&add, "saveButton")->click();
        return int(QDialog::Rejected);
    });
    window.findChild<QAbstractButton*>("addReminderButton")->click();
    ASSERT_EQ(control<ReportList>(&window, "pendingList")->count(), 1);
    EXPECT_EQ(control<ReportList>(&window, "pendingList")->text(0, ReportList::Column::Content),
              QStringLiteral("自己提醒自己"));
    ASSERT_EQ(control<ReportList>(&window, "publishedList")->count(), 1);
    EXPECT_EQ(control<ReportList>(&window, "publishedList")->text(0, ReportList::Column::Recipient),
              QStringLiteral("我自己"));
}

TEST_F(OpenersTest, AddingFromTheCalendarPagePresetsItsSelectedDay) {
    clock.set(QDateTime(QDate(2024, 2, 10), QTime(14, 25, 3)));
    window.show();
    EXPECT_EQ(control<CalendarView>(&window, "calendarView")->dateTime().date(),
              QDate(2024, 2, 10));
    control<CalendarView>(&window, "calendarView")
        ->setDateTime(QDateTime(QDate(2024, 3, 22), QTime(0, 0)));

    QDate pickedDay;
    QTime pickedTime;
    bool freeSetting = false;
    ScriptedModal modal([&](QDialog& dialog) {
        auto& add = dynamic_cast<AddReminderDialog&>(dialog);
        pickedDay = control<QDateEdit>(&add, "startDateEdit")->date();
        pickedTime = control<QTimeEdit>(&add, "startTimeEdit")->time();
        freeSetting = control<QRadioButton>(&add, "startPickedButton")->isChecked() &&
                      control<QDateEdit>(&add, "startDateEdit")->isEnabled();
        return int(QDialog::Rejected);
    });
    control<QTabWidget>(&window, "pages")->setCurrentIndex(0);
    window.findChild<QAbstractButton*>("addReminderButton")->click();
    EXPECT_EQ(pickedDay, QDate(2024, 2, 10)) << "the list page presets nothing";
    EXPECT_FALSE(freeSetting);

    control<QTabWidget>(&window, "pages")->setCurrentIndex(1);
    window.findChild<QAbstractButton*>("addReminderButton")->click();
    EXPECT_EQ(pickedDay, QDate(2024, 3, 22));
    EXPECT_EQ(pickedTime.toString("HH:mm"), QStringLiteral("14:25")) << "the current time of day";
    EXPECT_TRUE(freeSetting);
}

} // namespace
