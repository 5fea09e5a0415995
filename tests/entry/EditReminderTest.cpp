// The edit-reminder dialog: how its opener fills it from a published reminder, and how Save
// rewrites that one row.
#include "EntryFixture.h"
#include "entry/EditReminderDialog.h"
#include "support/Controls.h"

namespace {

using Icon = MessageBoxes::Icon;

class EditReminderTest : public EntryTest {
protected:
    int publish(int recipient, int action, const QString& begin, const QString& number,
                const QString& unit, int kind = 0, int done = 0, int publisher = 0) {
        TempStore::Reminder r;
        r.recipient = recipient;
        r.publisher = publisher ? publisher : me;
        r.detail = QStringLiteral("原来的内容");
        r.action = action;
        r.beginTime = begin;
        r.intervalNumber = number;
        r.intervalType = unit;
        r.doTime = QStringLiteral("2010-11-01 09:00:00");
        r.kind = kind;
        r.done = done;
        return store.addReminder(r);
    }
    // Opens the dialog as "编辑提醒" does for a published row of that key and listed content,
    // and takes the steps in it while it is up.
    void editing(int key, const QString& listed,
                 const std::function<void(EditReminderDialog&)>& steps) {
        int shown = 0;
        ScriptedModal modal([&](QDialog& dialog) {
            ++shown;
            steps(dynamic_cast<EditReminderDialog&>(dialog));
            return int(QDialog::Rejected);
        });
        EditReminderDialog::editPublished(store.session(), countingReload(), QString::number(key),
                                          listed);
        EXPECT_EQ(shown, 1);
    }
    void editing(int key, const std::function<void(EditReminderDialog&)>& steps) {
        editing(key, QStringLiteral("列表中的内容"), steps);
    }
};

TEST_F(EditReminderTest, APickedReminderOpensOnItsMomentAndSavedUnchangedKeepsItAndItsKind) {
    const int key = publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", /*kind*/ 1);
    clock.set(QDateTime(QDate(2010, 12, 1), QTime(10, 0, 5)));
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_TRUE(control<QRadioButton>(&d, "startPickedButton")->isChecked());
        EXPECT_TRUE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
        EXPECT_TRUE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
        EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2010, 11, 12));
        EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time(), QTime(8, 51));
        EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
        EXPECT_EQ(control<QComboBox>(&d, "intervalUnitCombo")->currentText(), QStringLiteral("分"));
        EXPECT_EQ(control<QLineEdit>(&d, "keyEdit")->text(), QString::number(key));
        EXPECT_FALSE(control<QLineEdit>(&d, "keyEdit")->isVisibleTo(&d));
        EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
                  QStringLiteral("列表中的内容"));
        EXPECT_TRUE(control<QPushButton>(&d, "saveButton")->isEnabled());
        EXPECT_EQ(tickedNames(d), QStringList{"同事"});
        EXPECT_EQ(recipientsOf(d)->count(), store.count("tbl_user"));

        save(d);
        EXPECT_EQ(boxTexts(Icon::Question), QStringList{QStringLiteral("确定要编辑提醒信息吗？")});
        EXPECT_EQ(boxTexts(Icon::Information), QStringList{QStringLiteral("成功编辑提醒信息！")});
        EXPECT_EQ(reloads, 1);
        EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
                  QStringLiteral("列表中的内容"));
        const auto rows = reminders();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].key, key);
        EXPECT_EQ(rows[0].recipient, other);
        EXPECT_EQ(rows[0].detail.toString(), QStringLiteral("列表中的内容"));
        EXPECT_EQ(rows[0].action, 1);
        EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-11-12 08:51:00 "));
        EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-12-01 10:00:05"));
        EXPECT_EQ(rows[0].publisher, me);
        EXPECT_EQ(rows[0].kind, 1) << "fixing a typo must not turn a birthday into an ordinary one";
        EXPECT_EQ(rows[0].done, 0);
        EXPECT_EQ(rows[0].totalTime.toLongLong(), 18000);
    });
}

// A lunar birthday shows its repetition with the pickers on its origin, so that a save keeps
// the years counted from it; unticked, the repetition goes. An ordinary row never shows it.
TEST_F(EditReminderTest, AYearlyBirthdayKeepsItsRepetitionUntilItIsUnticked) {
    const int key = publish(other, 1, "2024-01-21 09:00:00 ", "5", "分", /*kind*/ 1);
    store.execute("UPDATE tbl_reminder SET ReRepeat = 'L:1985-12-11@09:00'");
    const int ordinary = publish(other, 1, "2024-01-21 09:00:00 ", "5", "分");
    store.execute("UPDATE tbl_reminder SET ReRepeat = 'S:2000-01-01@09:00' WHERE KeyID = ?",
                  {ordinary});
    clock.set(QDateTime(QDate(2024, 1, 2), QTime(10, 0)));
    auto repeat = [&] {
        return store.scalar("SELECT ReRepeat FROM tbl_reminder WHERE KeyID = ?", {key});
    };
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_TRUE(control<QWidget>(&d, "repeatRow")->isVisibleTo(&d));
        EXPECT_TRUE(control<QCheckBox>(&d, "repeatCheckBox")->isChecked());
        EXPECT_TRUE(control<QRadioButton>(&d, "lunarRepeatButton")->isChecked());
        EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(1986, 1, 20));
        EXPECT_EQ(control<QLabel>(&d, "lunarDateLabel")->text(), QStringLiteral("农历 腊月十一"));
        save(d);
        EXPECT_EQ(repeat().toString(), QStringLiteral("L:1985-12-11@09:00"));
        EXPECT_EQ(reminders()[0].beginTime, QStringLiteral("2024-01-21 09:00:00 "));
        EXPECT_EQ(reminders()[0].kind, 1);
        control<QCheckBox>(&d, "repeatCheckBox")->click();
        save(d);
        EXPECT_TRUE(repeat().isNull());
    });
    editing(ordinary, [&](EditReminderDialog& d) {
        EXPECT_FALSE(control<QWidget>(&d, "repeatRow")->isVisibleTo(&d));
        save(d);
        EXPECT_EQ(reminders()[1].kind, 0);
        EXPECT_TRUE(
            store.scalar("SELECT ReRepeat FROM tbl_reminder WHERE KeyID = ?", {ordinary}).isNull());
    });
}

TEST_F(EditReminderTest, ANowReminderOpensWithDisabledPickersAndRestartsFromTheMomentOfSaving) {
    const int key = publish(other, 0, "2010-11-01 09:00:00", "1", "时");
    clock.set(QDateTime(QDate(2010, 12, 24), QTime(18, 30, 12)));
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_TRUE(control<QRadioButton>(&d, "startNowButton")->isChecked());
        EXPECT_FALSE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
        EXPECT_FALSE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
        EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2010, 12, 24));
        EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().hour(), 18);
        EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().minute(), 30);

        clock.advanceSecs(65);
        save(d);
        const auto rows = reminders();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].action, 0);
        EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-12-24 18:31:17"));
        EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-12-24 18:31:17"));
        EXPECT_EQ(rows[0].totalTime.toLongLong(), 216000);
    });
}

TEST_F(EditReminderTest, SecondsHaveNoMinimumHere) {
    const int key = publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        setInterval(d, "2", "秒");
        save(d);
        const auto rows = reminders();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("2"));
        EXPECT_EQ(rows[0].intervalNumber, QStringLiteral("2"));
        EXPECT_EQ(rows[0].totalTime.toLongLong(), 120);
    });
}

TEST_F(EditReminderTest, TwoTickedUsersLeaveTheRowAddressedToTheLowerOneAfterTwoBoxes) {
    const int key = publish(me, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_EQ(tickedNames(d), QStringList{"我自己"});
        control<QPushButton>(&d, "clearAllButton")->click();
        tick(d, {"同事", "第三人"});
        save(d);
        EXPECT_EQ(boxTexts(Icon::Information),
                  QStringList(2, QStringLiteral("成功编辑提醒信息！")));
        EXPECT_EQ(reloads, 2);
        const auto rows = reminders();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].recipient, third);
    });
}

TEST_F(EditReminderTest, AReminderGoneMeanwhileOpensEmptyAndCannotBeSaved) {
    const int acknowledged = publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", 0, /*done*/ 1);
    const int foreign =
        publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", 0, 0, /*publisher*/ third);
    for (const int key : {acknowledged, foreign, 9999}) {
        boxes.clear();
        editing(key, QStringLiteral("列表里看到的"), [&](EditReminderDialog& d) {
            EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
                      QStringLiteral("列表里看到的"));
            EXPECT_TRUE(control<QRadioButton>(&d, "startNowButton")->isChecked());
            EXPECT_FALSE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
            EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QString());
            EXPECT_EQ(control<QComboBox>(&d, "intervalUnitCombo")->currentText(), QString());
            EXPECT_EQ(control<QLineEdit>(&d, "keyEdit")->text(), QString());
            EXPECT_TRUE(tickedNames(d).isEmpty());
            EXPECT_EQ(recipientsOf(d)->count(), store.count("tbl_user"));

            // Even with a recipient ticked there is no row to rewrite, and that is what the user
            // hears first, before anything about the empty unit it opened with.
            tick(d, {"同事"});
            save(d);
            EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择一条记录进行操作！")});
        });
    }
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].done, 1);
    EXPECT_EQ(rows[0].detail.toString(), QStringLiteral("原来的内容"));
    EXPECT_EQ(rows[1].publisher, third);
}

TEST_F(EditReminderTest, TheRecipientIsTickedByNameSoNamesakesAreTickedToo) {
    const int twin = store.addUser("other2", "同事");
    const int key = publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_EQ(tickedNames(d), (QStringList{"同事", "同事"}));
        EXPECT_TRUE(recipientsOf(d)->isChecked(rowOf(d, "同事")));
        EXPECT_EQ(recipientsOf(d)->text(recipientsOf(d)->count() - 1, ReportList::Column::Key),
                  QString::number(twin));
        EXPECT_TRUE(recipientsOf(d)->isChecked(recipientsOf(d)->count() - 1));
    });
}

TEST_F(EditReminderTest, ARecipientWhoseAccountIsGoneTicksNobody) {
    store.addUser("nameless", "");
    const int gone = store.addUser("gone", "走了的人");
    const int key = publish(gone, 0, "2010-11-01 09:00:00", "5", "分");
    store.execute(QStringLiteral("DELETE FROM tbl_user WHERE KeyID = %1").arg(gone));
    editing(key, [&](EditReminderDialog& d) {
        EXPECT_FALSE(recipientsOf(d)->isChecked(rowOf(d, "")));
        EXPECT_TRUE(tickedNames(d).isEmpty());
    });
}

TEST_F(EditReminderTest, AnsweringNoOrTickingNobodyWritesNothing) {
    const int key = publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        setContent(d, "改过的内容");
        boxes.answerNext(false);
        save(d);
        EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("确定要编辑提醒信息吗？"),
                                              QStringLiteral("请选择一条记录！")}));

        boxes.clear();
        control<QPushButton>(&d, "clearAllButton")->click();
        save(d);
        EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择一条记录进行操作！")});

        ASSERT_EQ(reminders().size(), 1u);
        EXPECT_EQ(reminders()[0].detail.toString(), QStringLiteral("原来的内容"));
        EXPECT_EQ(reloads, 0);
    });
}

TEST_F(EditReminderTest, SelectAllAndClearAllTickAndClearEveryRow) {
    const int key = publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        control<QPushButton>(&d, "selectAllButton")->click();
        EXPECT_EQ(recipientsOf(d)->checkedCount(), recipientsOf(d)->count());
        control<QPushButton>(&d, "clearAllButton")->click();
        EXPECT_EQ(recipientsOf(d)->checkedCount(), 0);
    });
}

TEST_F(EditReminderTest, ANumberThatIsNoIntegerStopsSaveBeforeTheRowIsTouched) {
    const int key = publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    editing(key, [&](EditReminderDialog& d) {
        setContent(d, "改过的内容");
        setInterval(d, "2.",
                    "秒"); // no minimum here, so the number is first read after the question
        save(d);
        EXPECT_EQ(questionCount(), 1);
        EXPECT_EQ(boxTexts(Icon::Error),
                  QStringList{QStringLiteral("'2.' is not a valid integer value")});
        EXPECT_EQ(reminders()[0].detail.toString(), QStringLiteral("原来的内容"));
        EXPECT_EQ(reloads, 0);
    });
}

TEST_F(EditReminderTest, EditPublishedShowsTheFilledDialogModally) {
    const int key = publish(third, 1, "2011-03-08 09:00:00 ", "2", "天");
    int shown = 0;
    ScriptedModal modal([&](QDialog& shownDialog) {
        ++shown;
        auto& d = dynamic_cast<EditReminderDialog&>(shownDialog);
        EXPECT_EQ(control<QLineEdit>(&d, "keyEdit")->text(), QString::number(key));
        EXPECT_EQ(tickedNames(d), QStringList{"第三人"});
        EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2011, 3, 8));
        setContent(d, "经由打开者");
        save(d);
        return 0;
    });
    EditReminderDialog::editPublished(store.session(), countingReload(), QString::number(key),
                                      "列表");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].detail.toString(), QStringLiteral("经由打开者"));
    EXPECT_EQ(reminders()[0].totalTime.toLongLong(), 10368000);
    EXPECT_EQ(reloads, 1);
}

} // namespace
