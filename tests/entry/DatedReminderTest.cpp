// The birthday, appointment and anniversary dialogs: one design, run once per kind.
#include "EntryFixture.h"
#include "entry/DatedReminderDialog.h"
#include "support/Controls.h"

namespace {

using Icon = MessageBoxes::Icon;

struct Kind {
    const char* name;
    int retype;
    bool repeatsByDefault;
    const char* title;
    const char* placeholder;
    const char* success;
    std::function<std::unique_ptr<DatedReminderDialog>(Session&, std::function<void()>)> make;
};

const Kind kKinds[] = {
    {"Birthday", 1, true, "生日提醒", "请输入生日提醒内容...", "成功添加生日提醒信息！",
     [](Session& s, std::function<void()> r) {
         return std::make_unique<DatedReminderDialog>(s, r, ReminderKind::Birthday);
     }},
    {"Appointment", 2, false, "约会提醒", "请输入约会提醒内容...", "成功添加约会提醒信息！",
     [](Session& s, std::function<void()> r) {
         return std::make_unique<DatedReminderDialog>(s, r, ReminderKind::Appointment);
     }},
    {"Anniversary", 3, true, "纪念日提醒", "请输入纪念日提醒内容...", "成功添加纪念日提醒信息！",
     [](Session& s, std::function<void()> r) {
         return std::make_unique<DatedReminderDialog>(s, r, ReminderKind::Anniversary);
     }},
};

class DatedReminderTest : public EntryTest, public ::testing::WithParamInterface<Kind> {
protected:
    DatedReminderDialog& open() {
        dialog = GetParam().make(store.session(), countingReload());
        dialog->show();
        return *dialog;
    }
    QString placeholder() const { return QString::fromUtf8(GetParam().placeholder); }
    void pickMarchEighth(DatedReminderDialog& d) {
        control<QDateEdit>(&d, "startDateEdit")->setDate(QDate(2011, 3, 8));
        control<QTimeEdit>(&d, "startTimeEdit")->setTime(QTime(9, 0, 27));
    }
    std::unique_ptr<DatedReminderDialog> dialog;
};

TEST_P(DatedReminderTest, OpensOnAPickedStartOfTodayAndNowWithTheKindsTexts) {
    clock.set(QDateTime(QDate(2011, 1, 31), QTime(7, 5, 59)));
    DatedReminderDialog& d = open();
    EXPECT_EQ(control<QLabel>(&d, "titleLabel")->text(), QString::fromUtf8(GetParam().title));
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(), placeholder());
    EXPECT_EQ(d.findChild<QRadioButton*>("startNowButton"), nullptr);
    ASSERT_NE(control<QRadioButton>(&d, "startPickedButton"), nullptr);
    EXPECT_TRUE(control<QRadioButton>(&d, "startPickedButton")->isChecked());
    EXPECT_TRUE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
    EXPECT_TRUE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
    EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2011, 1, 31));
    EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().hour(), 7);
    EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().minute(), 5);
    EXPECT_FALSE(control<QPushButton>(&d, "saveButton")->isEnabled());
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(control<QComboBox>(&d, "intervalUnitCombo")->currentText(), QStringLiteral("分"));
    EXPECT_EQ(recipientsOf(d)->count(), store.count("tbl_user"));
    EXPECT_EQ(recipientsOf(d)->checkedCount(), 0);
}

TEST_P(DatedReminderTest, NobodyTickedRemindsOneselfWithoutAQuestion) {
    DatedReminderDialog& d = open();
    setContent(d, "妈妈的生日");
    pickMarchEighth(d);
    save(d);
    EXPECT_EQ(questionCount(), 0);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("成功添加提醒信息！")});
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(), placeholder());
    EXPECT_EQ(reloads, 1);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].recipient, me);
    EXPECT_EQ(rows[0].publisher, me);
    EXPECT_EQ(rows[0].detail.toString(), QStringLiteral("妈妈的生日"));
    EXPECT_EQ(rows[0].action, 1);
    EXPECT_EQ(rows[0].beginTime, QStringLiteral("2011-03-08 09:00:00 "));
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(rows[0].kind, GetParam().retype);
    EXPECT_EQ(rows[0].done, 0);
    EXPECT_EQ(rows[0].totalTime.toLongLong(), 18000);
}

TEST_P(DatedReminderTest, TwoSecondsForOneselfBecomeFiveStillWithoutAQuestion) {
    DatedReminderDialog& d = open();
    setContent(d, "提醒自己");
    setInterval(d, "2", "秒");
    save(d);
    EXPECT_EQ(questionCount(), 0);
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].intervalNumber, QStringLiteral("5"));
    EXPECT_EQ(reminders()[0].totalTime.toLongLong(), 300);
}

TEST_P(DatedReminderTest, TwoTickedUsersAndYesGiveTwoRowsOfTheKind) {
    DatedReminderDialog& d = open();
    setContent(d, "一起庆祝");
    pickMarchEighth(d);
    tick(d, {"同事", "第三人"});
    boxes.onShow([&](const MessageBoxes::Request& r) {
        if (r.icon == Icon::Information)
            clock.advanceSecs(3);
    });
    save(d);
    EXPECT_EQ(boxTexts(Icon::Question),
              QStringList{QStringLiteral("确定要对选中人员进行信息提醒操作吗？")});
    EXPECT_EQ(boxTexts(Icon::Information), QStringList(2, QString::fromUtf8(GetParam().success)));
    EXPECT_EQ(reloads, 2);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].recipient, other);
    EXPECT_EQ(rows[1].recipient, third);
    for (const auto& row : rows) {
        EXPECT_EQ(row.detail.toString(), QStringLiteral("一起庆祝"));
        EXPECT_EQ(row.beginTime, QStringLiteral("2011-03-08 09:00:00 "));
        EXPECT_EQ(row.kind, GetParam().retype);
        EXPECT_EQ(row.action, 1);
    }
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(rows[1].doTime, QStringLiteral("2010-11-12 08:51:40"));
}

TEST_P(DatedReminderTest, TwoTickedUsersAndNoWriteNothingAtAll) {
    DatedReminderDialog& d = open();
    setContent(d, "算了");
    tick(d, {"同事", "第三人"});
    boxes.answerNext(false);
    save(d);
    EXPECT_TRUE(reminders().empty());
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(), QStringLiteral("算了"));
    EXPECT_EQ(reloads, 0);
}

TEST_P(DatedReminderTest, BadIntervalsStopTheReminderToOneselfToo) {
    DatedReminderDialog& d = open();
    setContent(d, "提醒自己");
    setInterval(d, "3", "月");
    save(d);
    setInterval(d, ".", "天");
    save(d);
    EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("间隔单位只能是秒、分、时或天！"),
                                          QStringLiteral("'.' is not a valid integer value")}));
    EXPECT_TRUE(reminders().empty());
}

TEST_P(DatedReminderTest, ARefusedReminderToOneselfIsReportedWithTheEnginesReason) {
    store.execute(
        "CREATE TRIGGER refuse BEFORE INSERT ON tbl_reminder BEGIN SELECT RAISE(ABORT, 'x'); END");
    DatedReminderDialog& d = open();
    setContent(d, "写不进去");
    save(d);
    ASSERT_EQ(boxes.texts(), QStringList{QStringLiteral("提醒信息未保存！\nx")});
    EXPECT_EQ(boxes.last().icon, Icon::Error);
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("写不进去"));
    EXPECT_EQ(reloads, 0);
}

// A picked date before today is the origin: the reminder starts at its next occurrence and
// keeps its anchor. The lunar choice shows the lunar date of the picked day as it changes.
TEST_P(DatedReminderTest, ARepeatingReminderKeepsItsOriginAndStartsAtTheNextOccurrence) {
    clock.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    DatedReminderDialog& d = open();
    auto* repeat = control<QCheckBox>(&d, "repeatCheckBox");
    EXPECT_TRUE(repeat->isEnabled());
    EXPECT_EQ(repeat->isChecked(), GetParam().repeatsByDefault);
    EXPECT_TRUE(control<QRadioButton>(&d, "solarRepeatButton")->isChecked());
    EXPECT_FALSE(control<QLabel>(&d, "lunarDateLabel")->isVisibleTo(&d));
    if (!repeat->isChecked())
        repeat->click();
    control<QRadioButton>(&d, "lunarRepeatButton")->click();
    control<QDateEdit>(&d, "startDateEdit")->setDate(QDate(2020, 5, 25));
    EXPECT_EQ(control<QLabel>(&d, "lunarDateLabel")->text(), QStringLiteral("农历 闰四月初三"));
    control<QDateEdit>(&d, "startDateEdit")->setDate(QDate(1986, 1, 20));
    control<QTimeEdit>(&d, "startTimeEdit")->setTime(QTime(9, 0));
    EXPECT_TRUE(control<QLabel>(&d, "lunarDateLabel")->isVisibleTo(&d));
    EXPECT_EQ(control<QLabel>(&d, "lunarDateLabel")->text(), QStringLiteral("农历 腊月十一"));
    setContent(d, "生日");
    save(d);
    const auto rows =
        store.rows("SELECT ReBeginTime, ReRepeat, Retype, ReAction FROM tbl_reminder");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("2025-01-10 09:00:00 "));
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("L:1985-12-11@09:00"));
    EXPECT_EQ(rows[0][2].toInt(), GetParam().retype);
    EXPECT_EQ(rows[0][3].toInt(), 1);

    // Unticked, the picked start is stored as it is, without a repetition.
    repeat->click();
    setContent(d, "一次");
    save(d);
    EXPECT_EQ(
        store.scalar("SELECT ReBeginTime FROM tbl_reminder WHERE ReRepeat IS NULL").toString(),
        QStringLiteral("1986-01-20 09:00:00 "));
}

TEST_P(DatedReminderTest, OnAPreviousStoreTheRepetitionIsOffAndNamesTheUpgrade) {
    store.execute("ALTER TABLE tbl_reminder DROP COLUMN ReRepeat");
    store.execute("DROP TABLE tbl_version");
    DatedReminderDialog& d = open();
    auto* repeat = control<QCheckBox>(&d, "repeatCheckBox");
    EXPECT_FALSE(repeat->isEnabled());
    EXPECT_FALSE(repeat->isChecked());
    EXPECT_TRUE(repeat->toolTip().contains("qxreminder-newstore --upgrade"));
    setContent(d, "旧数据文件");
    pickMarchEighth(d);
    save(d);
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].beginTime, QStringLiteral("2011-03-08 09:00:00 "));
}

INSTANTIATE_TEST_SUITE_P(Kinds, DatedReminderTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
