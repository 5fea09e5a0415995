// The history list a page at a time: the pages follow the history's order without a gap or a
// repeat, whatever the ties and the rows without a sort key, and reading again after a change
// keeps what the user fetched, ticked and selected.
#include "app/HistoryPages.h"
#include "store/Query.h"
#include "support/TempStore.h"

#include <QVariant>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using Column = ReportList::Column;

class HistoryPagesTest : public ::testing::TestWithParam<Engine> {
protected:
    static constexpr int kPage = 3;

    void SetUp() override {
        me = store.addUser("me", "我自己");
        publisher = store.addUser("p", "发布人");
        store.session().currentUserKey = me;
        list.setColumns({{Column::Key, "编号", 60},
                         {Column::Content, "内容", 600},
                         {Column::Publisher, "发布人", 100},
                         {Column::Time, "发布时间", 178}});
        list.setCheckBoxes(true);
    }

    // A history row of mine; the expected order is kept beside the store.
    int addHistory(QVariant totalTime) {
        TempStore::Reminder r;
        r.recipient = me;
        r.publisher = publisher;
        r.detail = QStringLiteral("历史%1").arg(expected.size());
        r.done = 1;
        r.totalTime = totalTime;
        const int key = store.addReminder(r);
        expected.push_back({totalTime.isNull(), totalTime.toLongLong(), key});
        std::sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
            // Rows without a sort key first, then by sort key, then by key.
            return std::make_tuple(!a.unsorted, a.sortKey, a.key) <
                   std::make_tuple(!b.unsorted, b.sortKey, b.key);
        });
        return key;
    }
    QStringList expectedKeys(int count) const {
        QStringList keys;
        for (int i = 0; i < count && i < static_cast<int>(expected.size()); ++i)
            keys << QString::number(expected[i].key);
        return keys;
    }
    QStringList shownKeys() const {
        QStringList keys;
        for (int row = 0; row < list.count(); ++row)
            keys << list.text(row, Column::Key);
        return keys;
    }
    void readAgain() {
        Query names(store.session().connectionName);
        pages.show(pages.readAgain(UserNames::read(names)));
    }

    struct Expected {
        bool unsorted;
        qint64 sortKey;
        int key;
    };
    TempStore store{Connection::kDefaultName, GetParam()};
    int me = 0;
    int publisher = 0;
    std::vector<Expected> expected;
    ReportList list;
    HistoryPages pages{store.session(), list, QIcon(), kPage};
};

TEST_P(HistoryPagesTest, PagesFollowTheOrderWithoutGapOrRepeatAcrossTiesAndMissingSortKeys) {
    // More rows without a sort key than a page, a tie across two page boundaries, a page that
    // ends exactly at the last row; rows that are not my history stay out.
    for (QVariant totalTime :
         {QVariant(18000), QVariant(), QVariant(60), QVariant(18000), QVariant(), QVariant(18000),
          QVariant(100000), QVariant(), QVariant(18000), QVariant(18000), QVariant(),
          QVariant(18000), QVariant(600), QVariant(18000), QVariant(-5)})
        addHistory(totalTime);
    TempStore::Reminder pending;
    pending.recipient = me;
    pending.totalTime = 1;
    store.addReminder(pending);
    TempStore::Reminder othersHistory;
    othersHistory.recipient = publisher;
    othersHistory.done = 1;
    othersHistory.totalTime = 1;
    store.addReminder(othersHistory);

    readAgain();
    EXPECT_EQ(shownKeys(), expectedKeys(kPage));
    EXPECT_EQ(list.text(0, Column::Publisher), QStringLiteral("发布人"));
    int fetches = 0;
    while (list.hasMoreRowsToCome() && fetches < 10) {
        pages.fetchMore();
        ++fetches;
        EXPECT_EQ(shownKeys(), expectedKeys(kPage * (fetches + 1))) << "after fetch " << fetches;
    }
    EXPECT_EQ(fetches, 4) << "15 rows are five pages, and the last one says it is the last";
    EXPECT_EQ(list.count(), 15);
    for (int row = 0; row < list.count(); ++row)
        EXPECT_EQ(list.text(row, Column::Content),
                  store
                      .scalar("SELECT ReDetail FROM tbl_reminder WHERE KeyID=?",
                              {list.text(row, Column::Key).toInt()})
                      .toString());
}

TEST_P(HistoryPagesTest, ReadingAgainKeepsTheRowsFetchedTickedAndSelected) {
    for (int i = 0; i < 10; ++i)
        addHistory(18000);
    readAgain();
    pages.fetchMore();
    pages.fetchMore();
    ASSERT_EQ(list.count(), 9);
    const QString tickedKey = list.text(7, Column::Key);
    const QString selectedKey = list.text(8, Column::Key);
    list.setChecked(7, true);
    list.selectRow(8);

    // A row acknowledged ahead of all others, and one of those shown deleted.
    addHistory(60);
    const QString deletedKey = list.text(2, Column::Key);
    store.execute("DELETE FROM tbl_reminder WHERE KeyID=?", {deletedKey.toInt()});
    expected.erase(std::find_if(expected.begin(), expected.end(), [&](const Expected& row) {
        return row.key == deletedKey.toInt();
    }));
    readAgain();
    EXPECT_EQ(shownKeys(), expectedKeys(9));
    ASSERT_EQ(list.checkedCount(), 1);
    EXPECT_TRUE(list.isChecked(shownKeys().indexOf(tickedKey)));
    EXPECT_EQ(list.text(list.selectedRow(), Column::Key), selectedKey);

    // The page after them starts where they end.
    EXPECT_TRUE(list.hasMoreRowsToCome());
    pages.fetchRest();
    EXPECT_EQ(shownKeys(), expectedKeys(10));
    EXPECT_FALSE(list.hasMoreRowsToCome());
}

INSTANTIATE_TEST_SUITE_P(Engines, HistoryPagesTest, ::testing::ValuesIn(TempStore::engines()),
                         TempStore::engineName);

} // namespace
