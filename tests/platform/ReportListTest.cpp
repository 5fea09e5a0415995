// The report list: bulk filling, selection and double-click signals, the key column's width
// at any font size, and texts shown as isolated runs.
#include "platform/ReportList.h"
#include "platform/TextConvert.h"

#include <QPixmap>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QIcon anIcon(Qt::GlobalColor color = Qt::red) {
    QPixmap picture(16, 16);
    picture.fill(color);
    return QIcon(picture);
}

QStringList column(const ReportList& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row, column);
    return texts;
}

TEST(ReportListTest, ABulkFillReplacesRowsTicksAndSelectionAndRowsAddedLaterFollow) {
    ReportList list;
    list.setCheckBoxes(true);
    list.setColumns({{"编号", 60}, {"内容", 200}, {"KEY", 0}});
    list.addRow({"9", "旧的", "k9"}, anIcon());
    list.setChecked(0, true);
    list.selectRow(0);
    QSignalSpy selection(&list, &ReportList::selectedRowChanged);

    list.setRows({{"1", "第一", "k1"}, {"2", "第二"}, {"3", "第三", "k3", "dropped"}},
                 anIcon(Qt::blue));
    EXPECT_EQ(column(list, 0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(list, 2), QStringList({"k1", "", "k3"}));
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_TRUE(list.isColumnHidden(2));

    EXPECT_EQ(list.addRow({"4", "第四", "k4"}, anIcon()), 3);
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

TEST(ReportListTest, SelectingAndDoubleClickingARowAreSignalled) {
    ReportList list;
    list.setColumns({{"编号", 60}, {"内容", 200}});
    list.setRows({{"1", "第一"}, {"2", "第二"}});
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
                list.setColumns({{"编号", 50}, {"内容", 300}});
                QFont font = list.font();
                if (font.pointSizeF() > 0)
                    font.setPointSizeF(font.pointSizeF() * scale);
                else
                    font.setPixelSize(qRound(font.pixelSize() * scale));
                list.setFont(font);
                list.addRow({"1234567", "内容"}, icon ? anIcon() : QIcon());
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
    wide.setColumns({{"编号", 200}});
    EXPECT_EQ(wide.columnWidth(0), 200) << "a wider configured width stays";
}

TEST(ReportListTest, CellsShowIsolatedRunsWhileTheTextsComeBackAsAdded) {
    ReportList list;
    list.setColumns({{"编号", 60}, {"内容", 200}, {"发布人", 100}});
    const QString disguised = QStringLiteral("\u202Egpj.exe");
    list.addRow({"1", disguised, QStringLiteral("张三")});
    EXPECT_EQ(list.subItem(0, 0), disguised);
    EXPECT_EQ(list.model()->index(0, 1).data().toString(),
              QStringLiteral("\u2068\u202Egpj.exe\u2069"));
    EXPECT_EQ(list.model()->index(0, 2).data().toString(), QStringLiteral("张三"));
}

} // namespace
