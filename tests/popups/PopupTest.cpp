// The four popups: their look per kind, the list, the custom switch, the key filter,
// acknowledging, postponing, closing and the slide-in.
#include "PopupFixture.h"
#include "platform/AppInfo.h"
#include "schedule/TimingRules.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/StoreError.h"
#include "support/Controls.h"

#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

using PopupTest = PopupFixture;

TEST_F(PopupTest, EachKindHasItsCaptionPresetColumnsColoursAndPicture) {
    struct Expected {
        ReminderKind kind;
        const char* caption;
        const char* preset;
        int keyWidth;
        int contentWidth;
        QColor content;
        const char* customRow;
        const char* picture;
        bool pictureOnTop;
    };
    const Expected table[] = {
        {ReminderKind::Ordinary, "定时提醒", "tenMinutesButton", 60, 430, QColor(0, 0, 255),
         "customPostponeRow", "pictureLabel", true},
        {ReminderKind::Birthday, "生日提醒", "thirtyMinutesButton", 60, 430, Qt::black,
         "customPostponeRow", "pictureLabel", false},
        {ReminderKind::Appointment, "约会提醒", "thirtyMinutesButton", 60, 430, Qt::black,
         "customPostponeRow", "pictureLabel", false},
        {ReminderKind::Anniversary, "纪念日提醒", "thirtyMinutesButton", 60, 430, Qt::black,
         "customPostponeRow", "pictureLabel", false},
    };
    for (const Expected& e : table) {
        addReminder(e.kind, "一条", 100);
        ReminderPopup* popup = open(e.kind);
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(popup->windowTitle(), e.caption);
        EXPECT_EQ(control<QLabel>(popup, "captionLabel")->text(), e.caption);
        EXPECT_TRUE(control<QRadioButton>(popup, e.preset)->isChecked());
        EXPECT_EQ(control<QPushButton>(popup, "exitButton")->text(), "退 出");
        EXPECT_FALSE(control<QCheckBox>(popup, "customCheckBox")->isChecked());
        EXPECT_EQ(control<QLabel>(popup, "hintLabel")->text(), "注：双击查看明细   ");

        QWidget* custom = popup->findChild<QWidget*>(e.customRow);
        ASSERT_NE(custom, nullptr);
        EXPECT_FALSE(custom->isVisible());
        EXPECT_TRUE(custom->isAncestorOf(control<QLineEdit>(popup, "intervalEdit")));
        EXPECT_FALSE(control<QLineEdit>(popup, "intervalEdit")->accessibleName().isEmpty());
        EXPECT_FALSE(control<QComboBox>(popup, "intervalUnitCombo")->accessibleName().isEmpty());

        QWidget* picture = popup->findChild<QWidget*>(e.picture);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->y() < listOf(popup)->y(), e.pictureOnTop);

        EXPECT_GE(listOf(popup)->columnWidth(0), e.keyWidth);
        // The content column gives up what the key column needs: the row fits the list.
        EXPECT_GT(listOf(popup)->columnWidth(1), e.contentWidth * 3 / 4);
        EXPECT_EQ(listOf(popup)->columnWidth(2), 100);
        EXPECT_LE(listOf(popup)->columnWidth(0) + listOf(popup)->columnWidth(1) + 100,
                  listOf(popup)->viewport()->width());
        ASSERT_EQ(listOf(popup)->count(), 1);
        const QAbstractItemModel* rows = listOf(popup)->model();
        EXPECT_EQ(rows->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), e.content);
        EXPECT_EQ(rows->index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    }

    const auto* greeting = popups[1]->findChild<QLabel*>("greetingLabel");
    ASSERT_NE(greeting, nullptr);
    EXPECT_EQ(greeting->text(), "生日快乐！！！");
    EXPECT_EQ(greeting->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_TRUE(popups[1]->findChild<QLabel*>("pictureLabel")->isAncestorOf(greeting));
    EXPECT_EQ(popups[2]->findChild<QLabel*>("greetingLabel"), nullptr);
}

TEST_F(PopupTest, ThePollsNeverGetAPopupWithAnEmptyList) {
    const PopupFactory factory = Popups::standardFactory();
    const int windows = QApplication::topLevelWidgets().size();
    EXPECT_EQ(factory(context(ReminderKind::Birthday)), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    addReminder(ReminderKind::Birthday, "生日", 10);
    ReminderWindow* popup = factory(context(ReminderKind::Birthday));
    ASSERT_NE(popup, nullptr);
    popups.push_back(static_cast<ReminderPopup*>(popup));
    EXPECT_TRUE(popup->isVisible());
}

TEST_F(PopupTest, DefaultsOnShowAndTheListLoadedOnce) {
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    EXPECT_EQ(control<QLineEdit>(popup, "intervalEdit")->text(), "5");
    EXPECT_EQ(control<QComboBox>(popup, "intervalUnitCombo")->currentText(), "分");
    EXPECT_EQ(control<QDateEdit>(popup, "startDateEdit")->date(), QDate(2011, 3, 8));
    EXPECT_EQ(control<QTimeEdit>(popup, "startTimeEdit")->time().toString("HH:mm"), "08:30");
    EXPECT_EQ(listOf(popup)->count(), 0);

    // Shown again, the defaults come back but the list is not read again.
    control<QCheckBox>(popup, "customCheckBox")->setChecked(true);
    control<QLineEdit>(popup, "intervalEdit")->setText("7");
    addReminder(ReminderKind::Ordinary, "后来的", 100);
    popup->showAndSlideIn();
    EXPECT_EQ(control<QLineEdit>(popup, "intervalEdit")->text(), "5");
    EXPECT_FALSE(customRowVisible(popup));
    EXPECT_EQ(listOf(popup)->count(), 0);
}

TEST_F(PopupTest, TheListHoldsEveryPendingReminderOfItsKindDueOrNotInSortOrder) {
    const int due = addReminder(ReminderKind::Ordinary, "已到期", 18000);
    const int later = addReminder(ReminderKind::Ordinary, "明天才到", 600, "2011-03-09 10:00:00 ");
    const int foreign = store.addUser("third", "第三人");
    TempStore::Reminder fromThird;
    fromThird.recipient = me;
    fromThird.publisher = foreign;
    fromThird.detail = "第三人发的";
    fromThird.totalTime = 30000;
    const int third = store.addReminder(fromThird);
    addReminder(ReminderKind::Birthday, "生日", 10);
    addReminder(ReminderKind::Ordinary, "已处理", 1, "2011-03-08 08:00:00", 0, 1);
    addReminder(ReminderKind::Ordinary, "别人的", 1, "2011-03-08 08:00:00", other);

    ReminderPopup* popup = open(ReminderKind::Ordinary);
    EXPECT_EQ(column(listOf(popup), Column::Key),
              QStringList({QString::number(later), QString::number(due), QString::number(third)}));
    EXPECT_EQ(column(listOf(popup), Column::Content),
              QStringList({"明天才到", "已到期", "第三人发的"}));
    EXPECT_EQ(column(listOf(popup), Column::Person), QStringList({"同事", "同事", "第三人"}));
}

TEST_F(PopupTest, TheDatedPopupsShowTheUsersOwnNameInTheThirdColumn) {
    for (ReminderKind kind :
         {ReminderKind::Birthday, ReminderKind::Appointment, ReminderKind::Anniversary}) {
        addReminder(kind, "甲", 10);
        addReminder(kind, "乙", 20);
        ReminderPopup* popup = open(kind);
        EXPECT_EQ(column(listOf(popup), Column::Content), QStringList({"甲", "乙"}));
        EXPECT_EQ(column(listOf(popup), Column::Person), QStringList({"我自己", "我自己"}));
    }
}

TEST_F(PopupTest, ADoubleClickShowsTheRowsDetailsInEveryPopup) {
    for (ReminderKind kind : kAllReminderKinds) {
        addReminder(kind, "第一行\r\n第二行", 10);
        ReminderPopup* popup = open(kind);
        boxes.clear();
        auto* list = listOf(popup);
        emit list->rowDoubleClicked(0);
        EXPECT_EQ(boxes.count(), 0) << "nothing selected, nothing shown";

        list->selectRow(0);
        emit list->rowDoubleClicked(0);
        ASSERT_EQ(boxes.count(), 1);
        const QString person = kind == ReminderKind::Ordinary ? "同事" : "我自己";
        EXPECT_EQ(boxes.last().text, "【发布人】" + person + "\r\r【内容】\r\r\n第一行\r\n第二行");
        EXPECT_EQ(boxes.last().caption, AppInfo::kApplicationTitle);
        EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::None);
    }
}

TEST_F(PopupTest, CustomSwitchesTheFixedChoicesForTheCustomRow) {
    ReminderPopup* popup = open(ReminderKind::Appointment);
    const QList<QRadioButton*> choices = {control<QRadioButton>(popup, "threeMinutesButton"),
                                          control<QRadioButton>(popup, "fiveMinutesButton"),
                                          control<QRadioButton>(popup, "tenMinutesButton"),
                                          control<QRadioButton>(popup, "thirtyMinutesButton"),
                                          control<QRadioButton>(popup, "sixtyMinutesButton")};
    QTest::mouseClick(control<QCheckBox>(popup, "customCheckBox"), Qt::LeftButton);
    EXPECT_TRUE(control<QCheckBox>(popup, "customCheckBox")->isChecked());
    for (QRadioButton* choice : choices)
        EXPECT_FALSE(choice->isEnabled());
    EXPECT_TRUE(customRowVisible(popup));

    QTest::mouseClick(control<QCheckBox>(popup, "customCheckBox"), Qt::LeftButton);
    for (QRadioButton* choice : choices)
        EXPECT_TRUE(choice->isEnabled());
    EXPECT_FALSE(customRowVisible(popup));
    EXPECT_TRUE(control<QRadioButton>(popup, "thirtyMinutesButton")->isChecked())
        << "the choice survives the switch";
}

TEST_F(PopupTest, OnlyDigitsPointAndBackspaceReachTheIntervalNumber) {
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    QLineEdit* edit = control<QLineEdit>(popup, "intervalEdit");
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "a");
    EXPECT_EQ(edit->text(), "5");
    QTest::keyClicks(edit, "1x-. 2");
    EXPECT_EQ(edit->text(), "51.2");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "51.");
    QTest::keyClicks(edit, "99");
    EXPECT_EQ(edit->text(), "51.9") << "four characters at most";

    // Text from an input method is held to the same characters.
    edit->clear();
    QInputMethodEvent composed(QString(), {});
    composed.setCommitString("一二");
    QCoreApplication::sendEvent(edit, &composed);
    EXPECT_EQ(edit->text(), "");

    // Pasted text loses what the keys could not type, as in the entry dialogs.
    QApplication::clipboard()->setText(QStringLiteral("3分"));
    edit->paste();
    EXPECT_EQ(edit->text(), "3");
}

TEST_F(PopupTest, AcknowledgingWithNothingTickedShowsTheKindsNotice) {
    const QStringList notices = {"请选择一条提醒记录进行操作！", "请选择一条生日提醒记录进行操作！",
                                 "请选择一条约会提醒记录进行操作！",
                                 "请选择一条纪念日提醒记录进行操作！"};
    for (ReminderKind kind : kAllReminderKinds) {
        addReminder(kind, "x", 10);
        ReminderPopup* popup = open(kind);
        boxes.clear();
        control<QPushButton>(popup, "acknowledgeButton")->click();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, notices[kindIndex(kind)]);
        EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Information);
        EXPECT_TRUE(popup->isVisible());
    }
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE IfDone=1").toInt(), 0);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(PopupTest, AcknowledgeAnsweredNoChangesNothing) {
    addReminder(ReminderKind::Ordinary, "a", 10);
    addReminder(ReminderKind::Ordinary, "b", 20);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setAllChecked(true);
    boxes.answerNext(false);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "该动作后该消息将不再提醒，确定吗?");
    EXPECT_EQ(boxes.last().caption, "系统提示");
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Question);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE IfDone=0").toInt(), 2);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(PopupTest, AcknowledgingMovesTheTickedRowsToTheHistoryThenClosesAndReloads) {
    const int a = addReminder(ReminderKind::Birthday, "a", 10);
    const int b = addReminder(ReminderKind::Birthday, "b", 20, "2012-01-01 00:00:00");
    const int c = addReminder(ReminderKind::Birthday, "c", 30);
    ReminderPopup* popup = open(ReminderKind::Birthday);
    listOf(popup)->setAllChecked(true);
    // The reload runs once the popup is closed, and finds the rows already in the history.
    int historyAtReload = -1;
    Query history(store.session().connectionName);
    onReload = [&] {
        history.setStatement(Statements::kHistoryList);
        history.bindInteger("p", me);
        history.open();
        historyAtReload = history.recordCount();
    };
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(historyAtReload, 3);
    EXPECT_EQ(events, QStringList({"closed", "reload"}));
    EXPECT_FALSE(popup->isVisible());
    for (int key : {a, b, c})
        EXPECT_EQ(row(key)[4].toInt(), 1) << key;
    EXPECT_EQ(row(a)[0].toString(), "2011-03-08 08:00:00") << "nothing else changes";
}

TEST_F(PopupTest, ThirtyMinutesForTwoOfThreeTickedRowsThenTheWindowCloses) {
    const int a = addReminder(ReminderKind::Ordinary, "a", 18000);
    const int b = addReminder(ReminderKind::Ordinary, "b", 18001);
    const int c = addReminder(ReminderKind::Ordinary, "c", 18002);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setChecked(0, true);
    listOf(popup)->setChecked(2, true);
    QTest::mouseClick(control<QRadioButton>(popup, "thirtyMinutesButton"), Qt::LeftButton);
    control<QPushButton>(popup, "exitButton")->click();
    for (int key : {a, c}) {
        const auto values = row(key);
        EXPECT_EQ(values[0].toString(), "2011-03-08 08:00:00") << "the start stays";
        EXPECT_EQ(values[1].toInt(), 30);
        EXPECT_EQ(values[2].toString(), "分");
        EXPECT_EQ(values[3].toLongLong(), 1800);
        EXPECT_EQ(values[4].toInt(), 0);
    }
    EXPECT_EQ(row(b)[1].toInt(), 5);
    EXPECT_EQ(row(b)[3].toLongLong(), 18001);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(events, QStringList({"closed"})) << "a postponement reloads nothing";
}

TEST_F(PopupTest, EveryFixedChoiceWritesItsMinutesOnTheSecondsScale) {
    const std::pair<const char*, int> choices[] = {{"threeMinutesButton", 3},
                                                   {"fiveMinutesButton", 5},
                                                   {"tenMinutesButton", 10},
                                                   {"thirtyMinutesButton", 30},
                                                   {"sixtyMinutesButton", 60}};
    for (const auto& [button, minutes] : choices) {
        const int key = addReminder(ReminderKind::Anniversary, "x", 1);
        ReminderPopup* popup = open(ReminderKind::Anniversary);
        for (int r = 0; r < listOf(popup)->count(); ++r)
            listOf(popup)->setChecked(r,
                                      listOf(popup)->text(r, Column::Key) == QString::number(key));
        control<QRadioButton>(popup, button)->click();
        control<QPushButton>(popup, "exitButton")->click();
        EXPECT_EQ(row(key)[1].toInt(), minutes);
        EXPECT_EQ(row(key)[3].toLongLong(), minutes * 60);
    }
}

TEST_F(PopupTest, ACustomPostponementStoresThePickedStartNumberUnitAndSeconds) {
    const int a = addReminder(ReminderKind::Ordinary, "a", 18000);
    const int b = addReminder(ReminderKind::Ordinary, "b", 18001);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setChecked(1, true);
    control<QCheckBox>(popup, "customCheckBox")->setChecked(true);
    control<QDateEdit>(popup, "startDateEdit")->setDate(QDate(2011, 3, 8));
    control<QTimeEdit>(popup, "startTimeEdit")->setTime(QTime(9, 5, 42));
    control<QLineEdit>(popup, "intervalEdit")->setText(" 2");
    control<QComboBox>(popup, "intervalUnitCombo")->setCurrentText("时 ");
    control<QPushButton>(popup, "exitButton")->click();
    const auto values = row(b);
    EXPECT_EQ(values[0].toString(), "2011-03-08 09:05:00 ");
    EXPECT_EQ(values[1].toString(), "2");
    EXPECT_EQ(values[2].toString(), "时");
    EXPECT_EQ(values[3].toLongLong(), 7200);
    EXPECT_EQ(row(a)[3].toLongLong(), 18000);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PopupTest, ABadCustomPostponementWritesNothingAndKeepsThePopupOpen) {
    const int key = addReminder(ReminderKind::Appointment, "x", 18000);
    const auto before = row(key);
    ReminderPopup* popup = open(ReminderKind::Appointment);
    listOf(popup)->setAllChecked(true);
    control<QCheckBox>(popup, "customCheckBox")->setChecked(true);

    control<QComboBox>(popup, "intervalUnitCombo")->setCurrentText("周");
    control<QPushButton>(popup, "exitButton")->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "间隔单位只能是秒、分、时或天！");
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Information);

    control<QComboBox>(popup, "intervalUnitCombo")->setCurrentText("分");
    for (const QString& number : {QString("5."), QString("")}) {
        control<QLineEdit>(popup, "intervalEdit")->setText(number);
        control<QPushButton>(popup, "exitButton")->click();
        EXPECT_EQ(boxes.last().text, "'" + number + "' is not a valid integer value");
        EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    }
    EXPECT_EQ(row(key), before);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(PopupTest, WithNothingTickedExitOnlyCloses) {
    const int key = addReminder(ReminderKind::Ordinary, "x", 18000);
    const auto before = row(key);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    control<QCheckBox>(popup, "customCheckBox")->setChecked(true);
    control<QLineEdit>(popup, "intervalEdit")->setText("");
    control<QPushButton>(popup, "exitButton")->click();
    EXPECT_EQ(row(key), before);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(events, QStringList({"closed"}));
}

TEST_F(PopupTest, TheCloseBoxNeitherAcknowledgesNorPostpones) {
    const int key = addReminder(ReminderKind::Ordinary, "x", 18000);
    const auto before = row(key);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setAllChecked(true);
    QPointer<ReminderPopup> watched = popup;
    // Even as the last window on screen (the main window hidden away), closing it does not
    // end the program's event loop.
    QTimer::singleShot(0, popup, [popup] {
        QTest::mouseClick(control<QToolButton>(popup, "closeButton"), Qt::LeftButton);
    });
    QTimer::singleShot(200, qApp, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    EXPECT_EQ(events, QStringList({"closed"}));
    EXPECT_EQ(row(key), before);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull()) << "the window releases itself";
}

TEST_F(PopupTest, AFailingWriteShowsTheErrorAndLeavesThePopupOpen) {
    addReminder(ReminderKind::Ordinary, "x", 18000);
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setAllChecked(true);
    store.execute("ALTER TABLE tbl_reminder RENAME TO tbl_gone");
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(events.isEmpty());
    // A postponement that cannot be written leaves the popup open with its ticks.
    for (const bool custom : {false, true}) {
        control<QCheckBox>(popup, "customCheckBox")->setChecked(custom);
        const int before = boxes.count();
        control<QPushButton>(popup, "exitButton")->click();
        ASSERT_EQ(boxes.count(), before + 1);
        EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
        EXPECT_TRUE(popup->isVisible());
        EXPECT_TRUE(listOf(popup)->isChecked(0));
    }
    EXPECT_TRUE(events.isEmpty());

    // A popup whose list cannot be read is not made at all.
    const int windows = QApplication::topLevelWidgets().size();
    EXPECT_THROW(Popups::create(context(ReminderKind::Ordinary)), StoreError);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    store.execute("ALTER TABLE tbl_gone RENAME TO tbl_reminder");
}

TEST_F(PopupTest, ItSlidesUpFromTheBottomRightAndThenTakesItsShape) {
    ReminderPopup* popup = open(ReminderKind::Birthday);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(popup->isModal());
    EXPECT_TRUE(sliding(popup));
    EXPECT_EQ(popup->geometry(),
              QRect(screen.right() + 1 - 620 - 7, screen.bottom() + 1 - 45, 620, 16));
    EXPECT_TRUE(popup->mask().isEmpty());
    const int bottom = popup->geometry().bottom();

    int steps = 0;
    while (sliding(popup) && steps < 1000) {
        const QRect before = popup->geometry();
        deliverTimeout(control<QTimer>(popup, "slideTimer"));
        ++steps;
        if (sliding(popup)) {
            EXPECT_EQ(popup->height(), before.height() + 5);
            EXPECT_TRUE(popup->mask().isEmpty());
        }
        EXPECT_EQ(popup->geometry().bottom(), bottom);
    }
    // The designed size is the largest the window may grow.
    EXPECT_EQ(popup->size(), popup->maximumSize());
    EXPECT_EQ(steps, (popup->maximumSize().height() - 16 + 4) / 5);
    EXPECT_EQ(popup->mask(), popupShape(popup->size()));
}

TEST(PopupShapeTest, RoundedTopCornersOverSquareBottomCorners) {
    const QRegion shape = popupShape(QSize(100, 50));
    for (QPoint out :
         {QPoint(0, 0), QPoint(1, 0), QPoint(99, 0), QPoint(0, 1), QPoint(100, 10), QPoint(0, 50)})
        EXPECT_FALSE(shape.contains(out)) << out.x() << "," << out.y();
    for (QPoint in : {QPoint(2, 0), QPoint(98, 0), QPoint(1, 1), QPoint(99, 1), QPoint(0, 2),
                      QPoint(0, 49), QPoint(99, 49), QPoint(50, 25)})
        EXPECT_TRUE(shape.contains(in)) << in.x() << "," << in.y();
}

} // namespace
