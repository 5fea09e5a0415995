// The report list: bulk filling, selection and double-click signals, the key column's width
// at any font size, and texts shown as isolated runs.
#include "platform/ReportList.h"
#include "platform/TextConvert.h"

#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Column = ReportList::Column;

QIcon anIcon(Qt::GlobalColor color = Qt::red) {
    QPixmap picture(16, 16);
    picture.fill(color);
    return QIcon(picture);
}

QStringList column(const ReportList& list, Column column) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row, column);
    return texts;
}

TEST(ReportListTest, ABulkFillReplacesRowsTicksAndSelectionAndRowsAddedLaterFollow) {
    ReportList list;
    list.setCheckBoxes(true);
    list.setColumns(
        {{Column::Number, "编号", 60}, {Column::Content, "内容", 200}, {Column::Key, "KEY", 0}});
    list.addRow(list.row({{Column::Number, "9"}, {Column::Content, "旧的"}, {Column::Key, "k9"}}),
                anIcon());
    list.setChecked(0, true);
    list.selectRow(0);
    QSignalSpy selection(&list, &ReportList::selectedRowChanged);

    // Named in any order; a column left out stays empty, one the list lacks is dropped.
    list.setRows({list.row({{Column::Key, "k1"}, {Column::Content, "第一"}, {Column::Number, "1"}}),
                  list.row({{Column::Number, "2"}, {Column::Content, "第二"}}),
                  list.row({{Column::Number, "3"},
                            {Column::Content, "第三"},
                            {Column::Key, "k3"},
                            {Column::Publisher, "dropped"}})},
                 anIcon(Qt::blue));
    EXPECT_EQ(column(list, Column::Number), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(list, Column::Key), QStringList({"k1", "", "k3"}));
    EXPECT_EQ(column(list, Column::Publisher), QStringList({"", "", ""}));
    EXPECT_EQ(list.model()->columnCount(), 3);
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_TRUE(list.isColumnHidden(2));

    EXPECT_EQ(list.addRow(list.row({{Column::Number, "4"}, {Column::Key, "k4"}}), anIcon()), 3);
    list.setChecked(3, true);
    EXPECT_TRUE(list.isChecked(3));
    EXPECT_EQ(list.checkedCount(), 1);
    const QAbstractItemModel& rows = *list.model();
    EXPECT_EQ(rows.index(1, 0)
                  .data(Qt::DecorationRole)
                  .value<QIcon>()
                  .pixmap(16)
                  .toImage()
                  .pixelColor(0, 0),
              QColor(Qt::blue));
    EXPECT_EQ(rows.index(3, 0)
                  .data(Qt::DecorationRole)
                  .value<QIcon>()
                  .pixmap(16)
                  .toImage()
                  .pixelColor(0, 0),
              QColor(Qt::red));

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.checkedCount(), 0);
}

TEST(ReportListTest, AReplacementKeepsTicksAndSelectionWithTheKeysWhereverTheKeyColumnStands) {
    ReportList list;
    list.setCheckBoxes(true);
    list.setColumns({{Column::Name, "人员", 150}, {Column::Key, "KEY", 0}});
    auto person = [&](const char* name, const char* key) {
        return list.row({{Column::Name, name}, {Column::Key, key}});
    };
    list.setRows({person("甲", "k1"), person("乙", "k2"), person("丙", "k3")});
    list.setChecked(1, true);
    list.selectRow(2);

    // Renamed and moved: the tick and the selection follow the keys, not the names.
    EXPECT_TRUE(list.replaceRows({person("丙", "k3"), person("新人", "k4"), person("改名", "k2")}));
    EXPECT_EQ(list.checkedCount(), 1);
    EXPECT_TRUE(list.isChecked(2));
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_FALSE(
        list.replaceRows({person("丙", "k3"), person("新人", "k4"), person("改名", "k2")}));
}

TEST(ReportListTest, ALongListAsksForRowsUntilTheyFillItAndThenWhenTheUserScrollsToTheEnd) {
    ReportList list;
    list.setColumns({{Column::Key, "编号", 60}, {Column::Content, "内容", 200}});
    constexpr int kPage = 3;
    int stored = 100;
    // Pages as their reader gives them: up to three rows, and whether more are to come.
    QObject::connect(&list, &ReportList::moreRowsWanted, [&] {
        std::vector<ReportList::Row> page;
        for (int i = 0; i < kPage && list.count() + i < stored; ++i)
            page.push_back(list.row({{Column::Key, QString::number(list.count() + i)}}));
        list.setMoreRowsToCome(list.count() + static_cast<int>(page.size()) < stored);
        list.appendRows(std::move(page));
    });
    auto settle = [] {
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents();
    };
    list.setMoreRowsToCome(true);
    settle();
    EXPECT_EQ(list.count(), 0) << "nobody sees a hidden list's end";

    list.resize(300, 200);
    list.show();
    settle();
    QScrollBar* scroll = list.verticalScrollBar();
    const int fitting = list.viewport()->height() / list.sizeHintForRow(0);
    EXPECT_GT(scroll->maximum(), 0) << "the rows fill the list";
    EXPECT_LE(list.count(), fitting + kPage) << "and no more are read";
    const int filled = list.count();

    scroll->setValue(scroll->maximum());
    settle();
    EXPECT_EQ(list.count(), filled + kPage);
    for (int scrolls = 0; scrolls < stored && list.hasMoreRowsToCome(); ++scrolls) {
        scroll->setValue(scroll->maximum());
        settle();
    }
    EXPECT_EQ(list.count(), stored);
    EXPECT_EQ(list.text(stored - 1, Column::Key), QString::number(stored - 1));
}

TEST(ReportListTest, SelectingAndDoubleClickingARowAreSignalled) {
    ReportList list;
    list.setColumns({{Column::Key, "编号", 60}, {Column::Content, "内容", 200}});
    list.setRows({list.row({{Column::Key, "1"}, {Column::Content, "第一"}}),
                  list.row({{Column::Key, "2"}, {Column::Content, "第二"}})});
    list.resize(300, 200);
    list.show();
    QSignalSpy selection(&list, &ReportList::selectedRowChanged);
    QSignalSpy doubleClicks(&list, &ReportList::rowDoubleClicked);

    const QPoint second = list.visualRect(list.model()->index(1, 1)).center();
    // A double-click arrives after the press and release of its first click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_GE(selection.count(), 1);
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.front().front().toInt(), 1);

    selection.clear();
    list.selectRow(-1);
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(selection.count(), 1);
}

// The room the style leaves for the key's text in the first cell, as it paints the cell.
int keyTextRoom(const ReportList& list, bool ticks, bool icon) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.font = list.font();
    option.rect = list.visualRect(list.model()->index(0, 0));
    option.features = QStyleOptionViewItem::HasDisplay;
    if (ticks)
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
    if (icon) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize = list.iconSize();
    }
    option.text = QStringLiteral("1234567");
    const QRect text = list.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &list);
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    return text.width() - 2 * margin;
}

TEST(ReportListTest, TheKeyColumnShowsSevenDigitsBesideTickBoxAndIconAtTheDefaultAndALargerFont) {
    for (const bool ticks : {false, true}) {
        for (const bool icon : {false, true}) {
            for (const double scale : {1.0, 1.25}) {
                ReportList list;
                list.setCheckBoxes(ticks);
                list.setColumns({{Column::Key, "编号", 50}, {Column::Content, "内容", 300}});
                QFont font = list.font();
                if (font.pointSizeF() > 0)
                    font.setPointSizeF(font.pointSizeF() * scale);
                else
                    font.setPixelSize(qRound(font.pixelSize() * scale));
                list.setFont(font);
                list.addRow(list.row({{Column::Key, "1234567"}, {Column::Content, "内容"}}),
                            icon ? anIcon() : QIcon());
                list.resize(500, 200);
                list.show();
                EXPECT_GE(keyTextRoom(list, ticks, icon),
                          QFontMetrics(list.font()).horizontalAdvance(QStringLiteral("8888888")))
                    << "ticks " << ticks << ", icon " << icon << ", scale " << scale;
                EXPECT_EQ(list.columnWidth(1), 300);
            }
        }
    }
    ReportList wide;
    wide.setColumns({{Column::Key, "编号", 200}});
    EXPECT_EQ(wide.columnWidth(0), 200) << "a wider configured width stays";
}

TEST(ReportListTest, CellsShowIsolatedRunsWhileTheTextsComeBackAsAdded) {
    ReportList list;
    list.setColumns({{Column::Key, "编号", 60},
                     {Column::Content, "内容", 200},
                     {Column::Publisher, "发布人", 100}});
    const QString disguised = QStringLiteral("\u202Egpj.exe");
    list.addRow(
        list.row({{Column::Key, "1"}, {Column::Content, disguised}, {Column::Publisher, "张三"}}));
    EXPECT_EQ(list.text(0, Column::Content), disguised);
    EXPECT_EQ(list.model()->index(0, 1).data().toString(),
              QStringLiteral("\u2068\u202Egpj.exe\u2069"));
    EXPECT_EQ(list.model()->index(0, 2).data().toString(), QStringLiteral("张三"));
}

} // namespace
