// Reminders that come back every year, in their popup: listed only once due, postponed for
// this year only, and followed by next year's occurrence once acknowledged.
#include "PopupFixture.h"
#include "store/Statements.h"

#include <QCheckBox>

namespace {

class YearlyPopupTest : public PopupFixture {
protected:
    int addYearly(const QString& detail, const QString& begin, const QString& repeat,
                  QVariant totalTime = 18000) {
        const int key = addReminder(ReminderKind::Birthday, detail, totalTime, begin);
        store.execute("UPDATE tbl_reminder SET ReRepeat = ? WHERE KeyID = ?", {repeat, key});
        return key;
    }
    std::vector<std::vector<QVariant>> pendingRows() const {
        return store.rows("SELECT ReDetail, ReBeginTime, ReRepeat, ReUserID, RedouserID, "
                          "Retype, ReIntervalNumber, ReIntervalType, TotalTime, ReAction FROM "
                          "tbl_reminder WHERE IfDone = 0 ORDER BY KeyID");
    }
};

TEST_F(YearlyPopupTest, AYearlyRowIsListedOnceDueAndRollsOverToItsAnchorsNextOccurrence) {
    const int due = addYearly("生日", "2011-03-08 08:00:00 ", "S:1980-03-08@08:00");
    addYearly("明年的生日", "2012-01-01 09:00:00 ", "S:1990-01-01@09:00");
    const int once = addReminder(ReminderKind::Birthday, "一次", 20000, "2012-01-01 00:00:00");

    ReminderPopup* popup = open(ReminderKind::Birthday);
    EXPECT_EQ(column(listOf(popup), Column::Key),
              QStringList({QString::number(due), QString::number(once)}))
        << "next year's occurrence waits; a one-time row is listed due or not";

    // Postponed to this evening: this year's row moves, the anchor does not.
    listOf(popup)->setChecked(0, true);
    control<QCheckBox>(popup, "customCheckBox")->setChecked(true);
    control<QDateEdit>(popup, "startDateEdit")->setDate(QDate(2011, 3, 8));
    control<QTimeEdit>(popup, "startTimeEdit")->setTime(QTime(20, 0));
    control<QPushButton>(popup, "exitButton")->click();
    EXPECT_EQ(row(due)[0].toString(), "2011-03-08 20:00:00 ");
    EXPECT_EQ(pendingRows().size(), 3u);

    clock.set(QDateTime(QDate(2011, 3, 8), QTime(20, 1)));
    popup = open(ReminderKind::Birthday);
    listOf(popup)->setAllChecked(true);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(row(due)[4].toInt(), 1);
    EXPECT_EQ(row(once)[4].toInt(), 1);
    const auto pending = pendingRows();
    ASSERT_EQ(pending.size(), 2u) << "one next occurrence, none for the one-time row";
    const auto& next = pending[1];
    EXPECT_EQ(next[0].toString(), QStringLiteral("生日"));
    EXPECT_EQ(next[1].toString(), QStringLiteral("2012-03-08 08:00:00 "));
    EXPECT_EQ(next[2].toString(), QStringLiteral("S:1980-03-08@08:00"));
    EXPECT_EQ(next[3].toInt(), me);
    EXPECT_EQ(next[4].toInt(), other);
    EXPECT_EQ(next[5].toInt(), 1);
    EXPECT_EQ(next[6].toString(), QStringLiteral("5"));
    EXPECT_EQ(next[7].toString(), QStringLiteral("分"));
    EXPECT_EQ(next[8].toLongLong(), 18000);
    EXPECT_EQ(events.count("reload"), 1);
}

// A birthday made ordinary by a copy of the previous version ignores what it carries.
TEST_F(YearlyPopupTest, AnOrdinaryRowCarryingARepetitionIsAcknowledgedOnce) {
    const int key = addReminder(ReminderKind::Ordinary, "普通", 18000);
    store.execute("UPDATE tbl_reminder SET ReRepeat = 'S:1980-03-08@08:00'");
    ReminderPopup* popup = open(ReminderKind::Ordinary);
    listOf(popup)->setAllChecked(true);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(row(key)[4].toInt(), 1);
    EXPECT_TRUE(pendingRows().empty());
}

} // namespace
