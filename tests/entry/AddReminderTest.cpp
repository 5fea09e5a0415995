// The add-reminder dialog: its opening state, the recipient list, the interval key filter and
// every step of Save, checked against what the store holds and what the boxes said.
#include "EntryFixture.h"
#include "entry/AddReminderDialog.h"
#include "schedule/IntervalInput.h"
#include "schedule/TimingRules.h"
#include "support/Controls.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

using Icon = MessageBoxes::Icon;

class AddReminderTest : public EntryTest {
protected:
    // Created and shown as its opener would, without a modal loop.
    AddReminderDialog& open() {
        dialog = std::make_unique<AddReminderDialog>(store.session(), countingReload());
        dialog->show();
        return *dialog;
    }
    std::unique_ptr<AddReminderDialog> dialog;
};

TEST_F(AddReminderTest, OpensOnNowWithFiveMinutesThePlaceholderAndSaveDisabled) {
    clock.set(QDateTime(QDate(2012, 2, 29), QTime(23, 59, 41)));
    AddReminderDialog& d = open();
    EXPECT_TRUE(control<QRadioButton>(&d, "startNowButton")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(&d, "startPickedButton")->isChecked());
    EXPECT_FALSE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
    EXPECT_FALSE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
    EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2012, 2, 29));
    EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().hour(), 23);
    EXPECT_EQ(control<QTimeEdit>(&d, "startTimeEdit")->time().minute(), 59);
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(control<QComboBox>(&d, "intervalUnitCombo")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(&d, "intervalUnitCombo")->currentText(), QStringLiteral("分"));
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("请输入提醒内容..."));
    EXPECT_FALSE(control<QPushButton>(&d, "saveButton")->isEnabled());
}

TEST_F(AddReminderTest, TheRecipientListHoldsEveryUserClearInStoreOrderEachTimeItIsLoaded) {
    AddReminderDialog& d = open();
    const auto users = store.rows("SELECT UserTrueName, KeyID FROM tbl_user");
    ASSERT_EQ(recipientsOf(d)->count(), static_cast<int>(users.size()));
    ASSERT_EQ(users.size(), 4u); // the administrator and the three of the fixture
    for (int row = 0; row < recipientsOf(d)->count(); ++row) {
        EXPECT_EQ(recipientsOf(d)->text(row, ReportList::Column::Name), users[row][0].toString());
        EXPECT_EQ(recipientsOf(d)->text(row, ReportList::Column::Key), users[row][1].toString());
        EXPECT_FALSE(recipientsOf(d)->isChecked(row));
        EXPECT_FALSE(recipientsOf(d)
                         ->model()
                         ->index(row, 0)
                         .data(Qt::DecorationRole)
                         .value<QIcon>()
                         .isNull());
    }
    EXPECT_TRUE(recipientsOf(d)->isColumnHidden(1));
    EXPECT_EQ(recipientsOf(d)->columnWidth(0), 150);

    // A second load starts afresh: same rows, none ticked, no duplicates.
    QTest::mouseClick(control<QPushButton>(&d, "selectAllButton"), Qt::LeftButton);
    EXPECT_EQ(recipientsOf(d)->checkedCount(), 4);
    store.addUser("late", "后来者");
    d.hide();
    d.show();
    EXPECT_EQ(recipientsOf(d)->count(), 5);
    EXPECT_TRUE(tickedNames(d).isEmpty());
    EXPECT_EQ(recipientsOf(d)->text(4, ReportList::Column::Name), QStringLiteral("后来者"));
}

TEST_F(AddReminderTest, TheStartChoiceEnablesThePickersOnlyForAPickedMoment) {
    AddReminderDialog& d = open();
    d.show();
    QTest::mouseClick(control<QRadioButton>(&d, "startPickedButton"), Qt::LeftButton);
    EXPECT_TRUE(control<QRadioButton>(&d, "startPickedButton")->isChecked());
    EXPECT_TRUE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
    EXPECT_TRUE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
    QTest::mouseClick(control<QRadioButton>(&d, "startNowButton"), Qt::LeftButton);
    EXPECT_FALSE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
    EXPECT_FALSE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
}

TEST_F(AddReminderTest, TheIntervalTakesOnlyDigitsPointsAndBackspaceTypedOrPasted) {
    AddReminderDialog& d = open();
    control<QLineEdit>(&d, "intervalEdit")->clear();
    QTest::keyClicks(control<QLineEdit>(&d, "intervalEdit"), QStringLiteral("a1 -2x.s3"));
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("12.3"));
    QTest::keyClick(control<QLineEdit>(&d, "intervalEdit"), Qt::Key_Backspace);
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("12."));

    control<QLineEdit>(&d, "intervalEdit")->clear();
    QApplication::clipboard()->setText(QStringLiteral("7x9"));
    control<QLineEdit>(&d, "intervalEdit")->paste();
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("79"));

    EXPECT_TRUE(IntervalInput::keyPasses(QChar(8)));
    EXPECT_FALSE(IntervalInput::keyPasses(QLatin1Char(' ')));
    EXPECT_FALSE(IntervalInput::keyPasses(QLatin1Char('-')));
    EXPECT_FALSE(IntervalInput::keyPasses(QChar(0xFF15))); // a full-width digit is no digit here
}

TEST_F(AddReminderTest, SaveStaysDisabledUntilTheMemoChanges) {
    AddReminderDialog& d = open();
    tick(d, {"同事"});
    save(d);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(reminders().empty());
    control<QPlainTextEdit>(&d, "contentEdit")->moveCursor(QTextCursor::End);
    QTest::keyClicks(control<QPlainTextEdit>(&d, "contentEdit"), QStringLiteral(" ok"));
    EXPECT_TRUE(control<QPushButton>(&d, "saveButton")->isEnabled());
    save(d);
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].detail.toString(), QStringLiteral("请输入提醒内容... ok"));
}

TEST_F(AddReminderTest, NobodyTickedWritesNothingWhateverTheFieldsHold) {
    AddReminderDialog& d = open();
    setContent(d, "内容");
    setInterval(d, "abc", "周");
    save(d);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择要信息提醒的人员！")});
    EXPECT_EQ(boxes.last().icon, Icon::Information);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("系统提示"));
    EXPECT_TRUE(reminders().empty());
    EXPECT_EQ(reloads, 0);
}

TEST_F(AddReminderTest, ThreeSecondsBecomeFiveBeforeTheQuestionEvenWhenItIsAnsweredNo) {
    AddReminderDialog& d = open();
    setContent(d, "喝水");
    tick(d, {"同事"});
    setInterval(d, "3", "秒");
    QString shownAtQuestion;
    boxes.onShow([&](const MessageBoxes::Request& r) {
        if (r.icon == Icon::Question)
            shownAtQuestion = control<QLineEdit>(&d, "intervalEdit")->text();
    });
    boxes.answerNext(false);
    save(d);
    EXPECT_EQ(shownAtQuestion, QStringLiteral("5"));
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
    EXPECT_TRUE(reminders().empty());

    setInterval(d, "3", "秒");
    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].intervalNumber, QStringLiteral("5"));
    EXPECT_EQ(rows[0].intervalType, QStringLiteral("秒"));
    EXPECT_EQ(rows[0].totalTime.toLongLong(), 300);
}

TEST_F(AddReminderTest, EachUnitIsStoredOnTheSixtiethsScaleInSixtyFourBits) {
    struct Case {
        const char* number;
        const char* unit;
        qint64 totalTime;
    };
    const Case cases[] = {{"0", "分", 0},
                          {"7", "秒", 420},
                          {"2", "天", 10368000},
                          {"3", "时", 648000},
                          {"9999", "天", 51834816000},
                          {"9999", "时", 2159784000}};
    AddReminderDialog& d = open();
    tick(d, {"同事"});
    for (const Case& c : cases) {
        setContent(d, "间隔");
        setInterval(d, c.number, c.unit);
        save(d);
    }
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), std::size(cases));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].intervalNumber, QString::fromUtf8(cases[i].number));
        EXPECT_EQ(rows[i].intervalType, QString::fromUtf8(cases[i].unit));
        EXPECT_EQ(rows[i].totalTime.toLongLong(), cases[i].totalTime)
            << cases[i].number << cases[i].unit;
    }
}

TEST_F(AddReminderTest, AUnitOutsideTheFourIsRefusedBeforeTheQuestion) {
    AddReminderDialog& d = open();
    setContent(d, "内容");
    tick(d, {"同事"});
    for (const char* unit : {"周", "", "minutes"}) {
        boxes.clear();
        setInterval(d, "5", unit);
        save(d);
        EXPECT_EQ(boxes.texts(), QStringList{TimingRules::kBadUnitMessage}) << unit;
    }
    EXPECT_TRUE(reminders().empty());
    // Blanks around a unit are no part of it.
    boxes.clear();
    setInterval(d, "5", " 时 ");
    save(d);
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].intervalType, QStringLiteral("时"));
    EXPECT_EQ(reminders()[0].totalTime.toLongLong(), 1080000);
}

TEST_F(AddReminderTest, ANumberThatIsNoIntegerStopsSaveWithTheErrorBoxAndWritesNothing) {
    AddReminderDialog& d = open();
    setContent(d, "内容");
    tick(d, {"同事", "第三人"});

    // Seconds: the minimum reads the number, before the question.
    setInterval(d, "", "秒");
    save(d);
    EXPECT_EQ(questionCount(), 0);
    EXPECT_EQ(boxTexts(Icon::Error),
              QStringList{QStringLiteral("'' is not a valid integer value")});

    // Other units: after the question, before the first write.
    boxes.clear();
    setInterval(d, "1.5", "分");
    save(d);
    EXPECT_EQ(questionCount(), 1);
    EXPECT_EQ(boxTexts(Icon::Error),
              QStringList{QStringLiteral("'1.5' is not a valid integer value")});
    EXPECT_TRUE(boxTexts(Icon::Information).isEmpty());
    EXPECT_TRUE(reminders().empty());
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(), QStringLiteral("内容"));
}

TEST_F(AddReminderTest, APickedMomentIsStoredWithSecondsZeroAndOneTrailingBlank) {
    AddReminderDialog& d = open();
    setContent(d, "约定时间");
    tick(d, {"同事"});
    control<QRadioButton>(&d, "startPickedButton")->setChecked(true);
    control<QDateEdit>(&d, "startDateEdit")->setDate(QDate(2010, 11, 12));
    control<QTimeEdit>(&d, "startTimeEdit")->setTime(QTime(8, 51, 42));
    clock.set(QDateTime(QDate(2010, 11, 10), QTime(14, 3, 9)));
    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-11-12 08:51:00 "));
    EXPECT_EQ(rows[0].action, 1);
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-11-10 14:03:09"));
}

TEST_F(AddReminderTest, NowStoresTheMomentOfSavingAsStartAndPublishMoment) {
    AddReminderDialog& d = open();
    setContent(d, "马上");
    tick(d, {"同事"});
    clock.set(QDateTime(QDate(2010, 11, 12), QTime(8, 51, 37)));
    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].action, 0);
    EXPECT_EQ(rows[0].beginTime, QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(rows[0].doTime, QStringLiteral("2010-11-12 08:51:37"));
}

TEST_F(AddReminderTest, ThreeTickedUsersGetOneRowEachEachAnnouncedWithTheClockReadPerRow) {
    AddReminderDialog& d = open();
    setContent(d, "  周五下午开会\n");
    tick(d, {"我自己", "同事", "第三人"});
    QStringList memoAtSuccess;
    boxes.onShow([&](const MessageBoxes::Request& r) {
        if (r.icon == Icon::Information) {
            memoAtSuccess << control<QPlainTextEdit>(&d, "contentEdit")->toPlainText();
            clock.advanceSecs(2);
        }
    });
    save(d);
    EXPECT_EQ(boxTexts(Icon::Question),
              QStringList{QStringLiteral("确定要对选中人员进行信息提醒操作吗？")});
    EXPECT_EQ(boxTexts(Icon::Information), QStringList(3, QStringLiteral("成功添加提醒信息！")));
    // The placeholder comes back once every recipient has the reminder.
    EXPECT_EQ(memoAtSuccess, QStringList(3, QStringLiteral("  周五下午开会\n")));
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("请输入提醒内容..."));
    EXPECT_EQ(reloads, 3);
    EXPECT_TRUE(control<QPushButton>(&d, "saveButton")->isEnabled());

    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 3u);
    const int recipients[] = {me, other, third};
    const char* moments[] = {"2010-11-12 08:51:37", "2010-11-12 08:51:39", "2010-11-12 08:51:41"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].recipient, recipients[i]);
        EXPECT_EQ(rows[i].detail.toString(), QStringLiteral("周五下午开会"));
        EXPECT_EQ(rows[i].publisher, me);
        EXPECT_EQ(rows[i].kind, 0);
        EXPECT_EQ(rows[i].done, 0);
        EXPECT_EQ(rows[i].intervalNumber, QStringLiteral("5"));
        EXPECT_EQ(rows[i].totalTime.toLongLong(), 18000);
        EXPECT_EQ(rows[i].beginTime, QString::fromLatin1(moments[i]));
        EXPECT_EQ(rows[i].doTime, QString::fromLatin1(moments[i]));
    }
}

TEST_F(AddReminderTest, AnsweringNoWritesNothingAndKeepsMemoAndTicks) {
    AddReminderDialog& d = open();
    setContent(d, "暂不发送");
    tick(d, {"同事", "第三人"});
    boxes.answerNext(false);
    save(d);
    EXPECT_TRUE(reminders().empty());
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("暂不发送"));
    EXPECT_EQ(tickedNames(d), (QStringList{"同事", "第三人"}));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(reloads, 0);
}

TEST_F(AddReminderTest, AnEmptiedMemoIsSavedAsEmptyContentAndBlanksAroundContentAreDropped) {
    AddReminderDialog& d = open();
    tick(d, {"同事"});
    setContent(d, "");
    save(d);
    setContent(d, " \t\r\n\x01 中间 保留\n第二行 \r\n ");
    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0].detail.isNull());
    EXPECT_EQ(rows[0].detail.toString(), QString());
    EXPECT_EQ(rows[1].detail.toString(), QStringLiteral("中间 保留\n第二行"));
}

TEST_F(AddReminderTest, AHundredThousandCharactersWithLineBreaksAndEmojiComeBackUnchanged) {
    QString content;
    const QString pieces[] = {QStringLiteral("提醒"),
                              QStringLiteral("😀"),
                              QStringLiteral("\n"),
                              QStringLiteral("abc"),
                              QStringLiteral("👨‍👩‍👧"),
                              QStringLiteral("\t"),
                              QStringLiteral("𠀋")};
    for (int i = 0; content.size() < 100000; ++i)
        content += pieces[i % std::size(pieces)];
    content.truncate(100000);
    if (content.back().isHighSurrogate())
        content.back() = QLatin1Char('x');
    content.front() = QLatin1Char('A');
    content.back() = QLatin1Char('Z');

    AddReminderDialog& d = open();
    tick(d, {"同事"});
    setContent(d, content);
    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), 1u);
    const QString stored = rows[0].detail.toString();
    EXPECT_EQ(stored.size(), 100000);
    EXPECT_TRUE(stored == content);
}

TEST_F(AddReminderTest, ARefusedRecipientIsReportedWithTheCountsAndOnlyTheMissingOneIsRetried) {
    auto refuse = [this] {
        store.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tbl_reminder WHEN "
                                     "NEW.ReUserID = %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                          .arg(other));
    };
    auto rowsFor = [this](int recipient, const QString& content) {
        return store
            .scalar("SELECT COUNT(*) FROM tbl_reminder WHERE ReUserID = ? AND ReDetail = ?",
                    {recipient, content})
            .toInt();
    };
    const QString partly = QStringLiteral("提醒信息未保存：已保存 2 人，未保存 1 人！\nrefused");
    refuse();
    AddReminderDialog& d = open();
    setContent(d, "部分成功");
    tick(d, {"我自己", "同事", "第三人"});
    save(d);
    EXPECT_EQ(boxTexts(Icon::Information), QStringList(2, QStringLiteral("成功添加提醒信息！")));
    EXPECT_EQ(boxTexts(Icon::Error), QStringList{partly});
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("部分成功"));
    EXPECT_EQ(tickedNames(d), (QStringList{"我自己", "同事", "第三人"}));
    EXPECT_EQ(reloads, 2);

    // Still refused: the two that have it are not written again.
    boxes.clear();
    save(d);
    EXPECT_EQ(boxTexts(Icon::Error), QStringList{partly});
    EXPECT_TRUE(boxTexts(Icon::Information).isEmpty());
    EXPECT_EQ(reminders().size(), 2u);

    // The fault gone, the retry writes the missing one alone and the reminder is complete.
    store.execute("DROP TRIGGER refuse");
    boxes.clear();
    save(d);
    EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("确定要对选中人员进行信息提醒操作吗？"),
                                          QStringLiteral("成功添加提醒信息！")}));
    for (const int recipient : {me, other, third})
        EXPECT_EQ(rowsFor(recipient, "部分成功"), 1);
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("请输入提醒内容..."));

    // Content changed after a partly refused save: a new reminder, for every ticked recipient.
    refuse();
    setContent(d, "第二条");
    save(d);
    store.execute("DROP TRIGGER refuse");
    setContent(d, "第二条，改过");
    save(d);
    for (const int recipient : {me, other, third})
        EXPECT_EQ(rowsFor(recipient, "第二条，改过"), 1);
    EXPECT_EQ(reminders().size(), 3u + 2u + 3u);
}

TEST_F(AddReminderTest, TheCalendarPresetPicksTheDayAndEnablesThePickers) {
    clock.set(QDateTime(QDate(2010, 11, 12), QTime(8, 51, 37)));
    AddReminderDialog& d = open();
    d.presetStartDay(QDate(2011, 3, 8));
    EXPECT_TRUE(control<QRadioButton>(&d, "startPickedButton")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(&d, "startNowButton")->isChecked());
    EXPECT_TRUE(control<QDateEdit>(&d, "startDateEdit")->isEnabled());
    EXPECT_TRUE(control<QTimeEdit>(&d, "startTimeEdit")->isEnabled());
    EXPECT_EQ(control<QDateEdit>(&d, "startDateEdit")->date(), QDate(2011, 3, 8));
    setContent(d, "纪念");
    tick(d, {"同事"});
    save(d);
    ASSERT_EQ(reminders().size(), 1u);
    EXPECT_EQ(reminders()[0].beginTime, QStringLiteral("2011-03-08 08:51:00 "));
}

} // namespace
