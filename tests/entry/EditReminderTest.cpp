// The edit-reminder dialog: how its opener fills it from a published reminder, and how Save
// rewrites that one row.
#include "EntryFixture.h"
#include "entry/TFrmEditMessage.h"

namespace {

using Icon = MessageBoxes::Icon;

class EditReminderTest : public EntryTest {
protected:
    int Publish(int recipient, int action, const QString& begin, const QString& number,
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
    TFrmEditMessage& OpenFor(int key, const QString& listed = QStringLiteral("列表中的内容")) {
        dialog = std::make_unique<TFrmEditMessage>(store.session(), Reload());
        dialog->fill(QString::number(key), listed);
        return *dialog;
    }
    std::unique_ptr<TFrmEditMessage> dialog;
};

TEST_F(EditReminderTest, APickedReminderOpensOnItsMomentAndSavedUnchangedKeepsItButTurnsOrdinary) {
    const int key = Publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", /*kind*/ 1);
    clock.set(QDateTime(QDate(2010, 12, 1), QTime(10, 0, 5)));
    TFrmEditMessage& d = OpenFor(key);
    EXPECT_TRUE(d.RadioButton3->isChecked());
    EXPECT_TRUE(d.DateTimePicker1->isEnabled());
    EXPECT_TRUE(d.DateTimePicker2->isEnabled());
    EXPECT_EQ(d.DateTimePicker1->date(), QDate(2010, 11, 12));
    EXPECT_EQ(d.DateTimePicker2->time(), QTime(8, 51));
    EXPECT_EQ(d.Edit1->text(), QStringLiteral("5"));
    EXPECT_EQ(d.ComboBox1->currentText(), QStringLiteral("分"));
    EXPECT_EQ(d.Edit2->text(), QString::number(key));
    EXPECT_FALSE(d.Edit2->isVisibleTo(&d));
    EXPECT_EQ(d.Memo1->toPlainText(), QStringLiteral("列表中的内容"));
    EXPECT_TRUE(d.BitBtn1->isEnabled());
    EXPECT_EQ(tickedNames(d), QStringList{"同事"});
    EXPECT_EQ(d.ListView1->count(), store.count("tbl_user"));

    Save(d);
    EXPECT_EQ(BoxTexts(Icon::Question), QStringList{QStringLiteral("确定要编辑提醒信息吗？")});
    EXPECT_EQ(BoxTexts(Icon::Information), QStringList{QStringLiteral("成功编辑提醒信息！")});
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(d.Memo1->toPlainText(), QStringLiteral("列表中的内容"));
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, key);
    EXPECT_EQ(rows[0].recipient, other);
    EXPECT_EQ(rows[0].detail.toString(), QStringLiteral("列表中的内容"));
    EXPECT_EQ(rows[0].action, 1);
    EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-11-12 08:51:00 "));
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-12-01 10:00:05"));
    EXPECT_EQ(rows[0].publisher, me);
    EXPECT_EQ(rows[0].kind, 0);
    EXPECT_EQ(rows[0].done, 0);
    EXPECT_EQ(rows[0].totalTime.toLongLong(), 18000);
}

TEST_F(EditReminderTest, ANowReminderOpensWithDisabledPickersAndRestartsFromTheMomentOfSaving) {
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "1", "时");
    clock.set(QDateTime(QDate(2010, 12, 24), QTime(18, 30, 12)));
    TFrmEditMessage& d = OpenFor(key);
    EXPECT_TRUE(d.RadioButton2->isChecked());
    EXPECT_FALSE(d.DateTimePicker1->isEnabled());
    EXPECT_FALSE(d.DateTimePicker2->isEnabled());
    EXPECT_EQ(d.DateTimePicker1->date(), QDate(2010, 12, 24));
    EXPECT_EQ(d.DateTimePicker2->time().hour(), 18);
    EXPECT_EQ(d.DateTimePicker2->time().minute(), 30);

    clock.advanceSecs(65);
    Save(d);
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].action, 0);
    EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-12-24 18:31:17"));
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-12-24 18:31:17"));
    EXPECT_EQ(rows[0].totalTime.toLongLong(), 216000);
}

TEST_F(EditReminderTest, SecondsHaveNoMinimumHere) {
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    SetInterval(d, "2", "秒");
    Save(d);
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(d.Edit1->text(), QStringLiteral("2"));
    EXPECT_EQ(rows[0].intervalNumber, QStringLiteral("2"));
    EXPECT_EQ(rows[0].totalTime.toLongLong(), 120);
}

TEST_F(EditReminderTest, TwoTickedUsersLeaveTheRowAddressedToTheLowerOneAfterTwoBoxes) {
    const int key = Publish(me, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    EXPECT_EQ(tickedNames(d), QStringList{"我自己"});
    d.SpeedButton2Click();
    Tick(d, {"同事", "第三人"});
    Save(d);
    EXPECT_EQ(BoxTexts(Icon::Information), QStringList(2, QStringLiteral("成功编辑提醒信息！")));
    EXPECT_EQ(reloads, 2);
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].recipient, third);
}

TEST_F(EditReminderTest, AReminderGoneMeanwhileOpensEmptyAndCannotBeSaved) {
    const int acknowledged = Publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", 0, /*done*/ 1);
    const int foreign =
        Publish(other, 1, "2010-11-12 08:51:00 ", "5", "分", 0, 0, /*publisher*/ third);
    for (const int key : {acknowledged, foreign, 9999}) {
        boxes.clear();
        TFrmEditMessage& d = OpenFor(key, QStringLiteral("列表里看到的"));
        EXPECT_EQ(d.Memo1->toPlainText(), QStringLiteral("列表里看到的"));
        EXPECT_TRUE(d.RadioButton2->isChecked());
        EXPECT_FALSE(d.DateTimePicker1->isEnabled());
        EXPECT_EQ(d.Edit1->text(), QString());
        EXPECT_EQ(d.ComboBox1->currentText(), QString());
        EXPECT_EQ(d.Edit2->text(), QString());
        EXPECT_TRUE(tickedNames(d).isEmpty());
        EXPECT_EQ(d.ListView1->count(), store.count("tbl_user"));

        // Even with a recipient ticked there is no row to rewrite, and that is what the user
        // hears first, before anything about the empty unit it opened with.
        Tick(d, {"同事"});
        Save(d);
        EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择一条记录进行操作！")});
    }
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].done, 1);
    EXPECT_EQ(rows[0].detail.toString(), QStringLiteral("原来的内容"));
    EXPECT_EQ(rows[1].publisher, third);
}

TEST_F(EditReminderTest, TheRecipientIsTickedByNameSoNamesakesAreTickedToo) {
    const int twin = store.addUser("other2", "同事");
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    EXPECT_EQ(tickedNames(d), (QStringList{"同事", "同事"}));
    EXPECT_TRUE(d.ListView1->isChecked(RowOf(d, "同事")));
    EXPECT_EQ(d.ListView1->subItem(d.ListView1->count() - 1, 0), QString::number(twin));
    EXPECT_TRUE(d.ListView1->isChecked(d.ListView1->count() - 1));
}

TEST_F(EditReminderTest, ARecipientWhoseAccountIsGoneTicksNobody) {
    store.addUser("nameless", "");
    const int gone = store.addUser("gone", "走了的人");
    const int key = Publish(gone, 0, "2010-11-01 09:00:00", "5", "分");
    store.execute(QStringLiteral("DELETE FROM tbl_user WHERE KeyID = %1").arg(gone));
    TFrmEditMessage& d = OpenFor(key);
    EXPECT_FALSE(d.ListView1->isChecked(RowOf(d, "")));
    EXPECT_TRUE(tickedNames(d).isEmpty());
}

TEST_F(EditReminderTest, AnsweringNoOrTickingNobodyWritesNothing) {
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    SetContent(d, "改过的内容");
    boxes.answerNext(false);
    Save(d);
    EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("确定要编辑提醒信息吗？"),
                                          QStringLiteral("请选择一条记录！")}));

    boxes.clear();
    d.SpeedButton2Click();
    Save(d);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择一条记录进行操作！")});

    ASSERT_EQ(Reminders().size(), 1u);
    EXPECT_EQ(Reminders()[0].detail.toString(), QStringLiteral("原来的内容"));
    EXPECT_EQ(reloads, 0);
}

TEST_F(EditReminderTest, SelectAllAndClearAllTickAndClearEveryRow) {
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    d.SpeedButton1->click();
    EXPECT_EQ(d.ListView1->checkedCount(), d.ListView1->count());
    d.SpeedButton2->click();
    EXPECT_EQ(d.ListView1->checkedCount(), 0);
}

TEST_F(EditReminderTest, ANumberThatIsNoIntegerStopsSaveBeforeTheRowIsTouched) {
    const int key = Publish(other, 0, "2010-11-01 09:00:00", "5", "分");
    TFrmEditMessage& d = OpenFor(key);
    SetContent(d, "改过的内容");
    SetInterval(d, "2.", "秒"); // no minimum here, so the number is first read after the question
    Save(d);
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(BoxTexts(Icon::Error),
              QStringList{QStringLiteral("'2.' is not a valid integer value")});
    EXPECT_EQ(Reminders()[0].detail.toString(), QStringLiteral("原来的内容"));
    EXPECT_EQ(reloads, 0);
}

TEST_F(EditReminderTest, EditPublishedShowsTheFilledDialogModally) {
    const int key = Publish(third, 1, "2011-03-08 09:00:00 ", "2", "天");
    int shown = 0;
    ScriptedModal modal([&](QDialog& shownDialog) {
        ++shown;
        auto& d = dynamic_cast<TFrmEditMessage&>(shownDialog);
        EXPECT_EQ(d.Edit2->text(), QString::number(key));
        EXPECT_EQ(tickedNames(d), QStringList{"第三人"});
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2011, 3, 8));
        SetContent(d, "经由打开者");
        Save(d);
        return 0;
    });
    TFrmEditMessage::EditPublished(store.session(), Reload(), QString::number(key), "列表");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(Reminders().size(), 1u);
    EXPECT_EQ(Reminders()[0].detail.toString(), QStringLiteral("经由打开者"));
    EXPECT_EQ(Reminders()[0].totalTime.toLongLong(), 10368000);
    EXPECT_EQ(reloads, 1);
}

} // namespace
