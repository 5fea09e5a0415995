#include "calview/CalendarView.h"
#include "calview/CalendarGrid.h"
#include "calview/SpinButtons.h"
#include "chncal/ChnCalendarUse.h"
#include "support/Controls.h"
#include "support/FakeClock.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using CalendarLayout::cellPosition;

namespace {

QDateTime at(int y, int m, int d, int hour = 0, int minute = 0) {
    return QDateTime(QDate(y, m, d), QTime(hour, minute));
}

QStringList actionNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* action : menu->actions())
        names << action->objectName();
    return names;
}

// An item's caption as shown, without its accelerator mark.
QString caption(const QAction* action) {
    return action->iconText();
}

QMenu* submenu(const QMenu* menu, const QString& caption) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr && ::caption(action) == caption)
            return action->menu();
    }
    return nullptr;
}

// Pixels of a region that differ from the same region of another picture.
int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

class CalendarViewTest : public ::testing::Test {
protected:
    FakeClock clock{at(2024, 2, 10, 9, 30)};
    std::unique_ptr<CalendarView> cal = std::make_unique<CalendarView>();

    CalendarGrid* grid() const { return control<CalendarGrid>(cal.get(), "grid"); }
    QLabel* label(const char* name) const { return control<QLabel>(cal.get(), name); }
    SpinButtons* spin(const char* name) const { return control<SpinButtons>(cal.get(), name); }
    QToolButton* arrow(const char* spinName, const char* name) const {
        return control<QToolButton>(spin(spinName), name);
    }
    QMenu* menu(const char* name) const { return control<QMenu>(cal.get(), name); }

    void show() {
        cal->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cal.get()));
    }
    // Cell number of a day of the shown month.
    int cellOf(int day) const {
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n) {
            if (cal->cell(n).filled && cal->cell(n).day == day)
                return n;
        }
        return 0;
    }
    QRect cellRect(int n) const {
        const QPoint p = cellPosition(n);
        return grid()->cellRect(p.x(), p.y());
    }
    void clickCell(int n) { QTest::mouseClick(grid(), Qt::LeftButton, {}, cellRect(n).center()); }
    QPoint current() const { return {grid()->currentColumn(), grid()->currentRow()}; }
    QImage gridPicture() const { return grid()->grab().toImage(); }
    // The background under the grid, as the cells start from it.
    QImage backgroundUnderGrid() const { return cal->background().copy(grid()->geometry()); }
};

} // namespace

TEST_F(CalendarViewTest, CreationShowsTodayWithTheTitleInPlace) {
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 10, 9, 30));
    EXPECT_TRUE(cal->titleVisible());
    EXPECT_EQ(current(), cellPosition(14)); // Thursday the 1st is cell 5
    EXPECT_EQ(spin("monthSpin")->position(), 2);
    EXPECT_EQ(spin("yearSpin")->position(), 2024);
    const std::pair<QWidget*, QPoint> places[] = {
        {label("todayLabel"), {272, 18}}, {label("monthWordLabel"), {45, 20}},
        {label("yearLabel"), {120, 0}},   {label("yearWordLabel"), {205, 18}},
        {label("infoLabel"), {10, 236}},  {spin("monthSpin"), {60, 10}},
        {spin("yearSpin"), {220, 10}}};
    for (const auto& [child, pos] : places)
        EXPECT_EQ(child->pos(), pos) << qPrintable(child->objectName());
    EXPECT_EQ(label("yearLabel")->text(), QStringLiteral("2024"));
    EXPECT_EQ(label("infoLabel")->text(), QStringLiteral("2024-02-10 农历正月初一"));
    EXPECT_EQ(cal->lunarDateText(), QStringLiteral("正月初一"));
    // The month number is right-justified: two digits grow to the left of "月".
    const int right = label("monthLabel")->geometry().right();
    EXPECT_LE(right, 45);
    cal->setDateTime(at(2024, 12, 1));
    EXPECT_EQ(label("monthLabel")->text(), QStringLiteral("12"));
    EXPECT_EQ(label("monthLabel")->geometry().right(), right);
}

TEST_F(CalendarViewTest, GridEndsTwentySevenAboveTheBottomAndCoversTheInfoLineWhenTall) {
    EXPECT_EQ(grid()->geometry().bottom() + 1, 226);
    EXPECT_FALSE(grid()->geometry().intersects(label("infoLabel")->geometry()));
    cal->resize(735, 316); // the main window's page
    show();
    EXPECT_EQ(grid()->geometry(), QRect(8, 40, 720, 249));
    EXPECT_EQ(cal->background().size(), QSize(735, 316));
    EXPECT_EQ(cal->childAt(label("infoLabel")->geometry().topLeft() + QPoint(2, 2)), grid());
}

TEST_F(CalendarViewTest, HiddenTitleGivesTheGridTheControlAndTheYearMenuOnRightClick) {
    show();
    auto rightClick = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {50, 50},
                                grid()->mapToGlobal(QPoint(50, 50)));
        QApplication::sendEvent(grid(), &event);
    };
    rightClick();
    EXPECT_FALSE(menu("yearMenu")->isVisible());
    cal->setTitleVisible(false);
    EXPECT_EQ(grid()->geometry(), QRect(2, 2, 309, 249));
    EXPECT_EQ(grid()->metrics().rowHeights[6], 249 - 18 - 5 * 37);
    EXPECT_TRUE(spin("monthSpin")->isHidden());
    EXPECT_TRUE(spin("yearSpin")->isHidden());
    rightClick();
    EXPECT_TRUE(menu("yearMenu")->isVisible());
    menu("yearMenu")->hide();
}

TEST_F(CalendarViewTest, OnlyANewValueInTheSupportedYearsChangesTheDate) {
    QSignalSpy changes(cal.get(), &CalendarView::changed);
    cal->setDateTime(at(2024, 2, 10, 9, 30));
    EXPECT_EQ(changes.count(), 0);
    cal->setDateTime(at(2024, 2, 10, 9, 31)); // same day, another time: refilled
    EXPECT_EQ(changes.count(), 1);
    for (const QDateTime& refused : {at(2101, 1, 1), QDateTime(), at(-1, 12, 31)})
        cal->setDateTime(refused);
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 10, 9, 31));
    EXPECT_EQ(spin("yearSpin")->position(), 2024);
    cal->setDateTime(at(1, 1, 1));
    EXPECT_EQ(changes.count(), 2);
    cal->setDateTime(at(1644, 5, 1));
    EXPECT_TRUE(label("infoLabel")
                    ->text()
                    .startsWith(QString::fromStdString(ChnCalendarUse::EraTextOf(1644)) +
                                QStringLiteral(" 农历")));
}

TEST_F(CalendarViewTest, SpinsStepMonthsAndYearsAndStopAtTheSupportedYears) {
    cal->setDateTime(at(2024, 1, 31, 8, 0));
    arrow("monthSpin", "upButton")->click();
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 29));
    arrow("yearSpin", "downButton")->click();
    EXPECT_EQ(cal->dateTime(), at(2023, 2, 28));
    cal->setDateTime(at(2023, 12, 15));
    arrow("monthSpin", "upButton")->click();
    EXPECT_EQ(cal->dateTime(), at(2024, 1, 15));
    EXPECT_EQ(spin("monthSpin")->position(), 1);

    QSignalSpy changes(cal.get(), &CalendarView::changed);
    cal->setDateTime(at(2100, 12, 31));
    arrow("monthSpin", "upButton")->click();
    arrow("yearSpin", "upButton")->click();
    EXPECT_EQ(cal->dateTime(), at(2100, 12, 31));
    EXPECT_EQ(spin("monthSpin")->position(), 12);
    EXPECT_EQ(spin("yearSpin")->position(), 2100);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(CalendarViewTest, OnlyFilledDateCellsCanBeClicked) {
    cal->setDateTime(at(2025, 3, 31)); // fills cells 7..37, which February must clear again
    cal->setDateTime(at(2024, 2, 10, 9, 30));
    show();
    QSignalSpy changes(cal.get(), &CalendarView::changed);
    QSignalSpy clicks(cal.get(), &CalendarView::dateClicked);
    QSignalSpy selects(cal.get(), &CalendarView::dateSelected);
    const QPoint before = current();
    for (int n : {40, 41, 42, 4, 34, 38}) // title cells, and empty ones: February fills 5..33
        clickCell(n);
    const auto& m = grid()->metrics();
    for (QPoint cell : {QPoint(3, 0), QPoint(0, 3), QPoint(8, 3)}) // header, weeks, filler
        QTest::mouseClick(grid(), Qt::LeftButton, {}, m.cellRect(cell.x(), cell.y()).center());
    EXPECT_EQ(current(), before);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(clicks.count(), 0);

    clickCell(cellOf(20));
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 20));
    EXPECT_EQ(current(), cellPosition(cellOf(20)));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(selects.count(), 1);
    // Released over another cell than the one that became current: no dateSelected.
    QTest::mousePress(grid(), Qt::LeftButton, {}, cellRect(cellOf(21)).center());
    QTest::mouseRelease(grid(), Qt::LeftButton, {}, cellRect(cellOf(22)).center());
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 21));
    EXPECT_EQ(selects.count(), 1);
}

TEST_F(CalendarViewTest, ArrowKeysStopAtEmptyCellsAndEmitDateClickedOnlyAfterAPress) {
    show();
    QSignalSpy clicks(cal.get(), &CalendarView::dateClicked);
    QTest::keyClick(grid(), Qt::Key_Right); // Saturday the 10th: the filler refuses
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 10, 9, 30));
    QTest::keyClick(grid(), Qt::Key_Left);
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 9));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(grid(), Qt::RightButton, {}, cellRect(cellOf(9)).center());
    QTest::keyClick(grid(), Qt::Key_Left);
    EXPECT_EQ(clicks.count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cal.get(), &leave);
    QTest::keyClick(grid(), Qt::Key_Left);
    EXPECT_EQ(cal->dateTime(), at(2024, 2, 7));
    EXPECT_EQ(clicks.count(), 1);

    cal->setDateTime(at(2024, 2, 29)); // cell 33: below is the star sign, right is empty
    QTest::keyClick(grid(), Qt::Key_Down);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(current(), cellPosition(33));
}

TEST_F(CalendarViewTest, MonthMenuOffersTodayAndTheTwelveMonths) {
    QStringList expected{"monthMenu_today", "monthMenu_separator"};
    for (int i = 0; i < 12; ++i)
        expected << QStringLiteral("monthMenu_%1").arg(i);
    EXPECT_EQ(actionNames(menu("monthMenu")), expected);
    const QList<QAction*> actions = menu("monthMenu")->actions();
    EXPECT_EQ(caption(actions[0]), QStringLiteral("今日"));
    EXPECT_EQ(menu("monthMenu")->defaultAction(), actions[0]);
    EXPECT_EQ(caption(actions[13]), QLocale().monthName(12, QLocale::LongFormat));
    actions[2 + 4]->trigger(); // tag 5
    EXPECT_EQ(cal->dateTime(), at(2024, 5, 10));
    clock.set(at(2031, 7, 7, 7, 7));
    actions[0]->trigger();
    EXPECT_EQ(cal->dateTime(), at(2031, 7, 7, 7, 7));
}

TEST_F(CalendarViewTest, YearMenuOffersHistoricalCenturiesAndTheDecadesFrom1900) {
    const QList<QAction*> top = menu("yearMenu")->actions();
    ASSERT_EQ(top.size(), 4 + 20);
    EXPECT_EQ(actionNames(menu("yearMenu")).mid(0, 5),
              QStringList({"yearMenu_today", "yearMenu_separator1", "yearMenu_history",
                           "yearMenu_separator2", "yearMenu_1900"}));
    EXPECT_EQ(menu("yearMenu")->defaultAction(), top[0]);
    EXPECT_EQ(caption(top[2]), QStringLiteral("历史日期"));
    QMenu* history = top[2]->menu();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->actions().size(), 19);
    EXPECT_EQ(caption(history->actions().back()), QStringLiteral("1800"));

    // Each item: caption, name and tag of its year.
    auto years = [](const QMenu* menu, const QString& prefix) {
        QStringList list;
        for (const QAction* a : menu->actions()) {
            EXPECT_EQ(a->objectName(), prefix + caption(a));
            EXPECT_EQ(a->data().toInt(), caption(a).toInt());
            list << caption(a);
        }
        return list.join(QLatin1Char(' '));
    };
    QMenu* zero = submenu(history, QStringLiteral("0"));
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->menuAction()->objectName(), QStringLiteral("yearMenu_history_10"));
    EXPECT_EQ(years(zero, "yearMenu_history_"), "10 20 30 40 50 60 70 80 90 100");
    QMenu* last = submenu(menu("yearMenu"), QStringLiteral("2090"));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->menuAction()->objectName(), QStringLiteral("yearMenu_2090"));
    EXPECT_EQ(years(last, "yearMenu_"), "2090 2091 2092 2093 2094 2095 2096 2097 2098 2099");

    last->actions()[5]->trigger();
    EXPECT_EQ(cal->dateTime(), at(2095, 2, 10));
    cal->setDateTime(at(2024, 2, 29));
    submenu(history, QStringLiteral("1800"))->actions().back()->trigger(); // 1900
    EXPECT_EQ(cal->dateTime(), at(1900, 2, 28));
}

TEST_F(CalendarViewTest, MenusHaveAcceleratorKeysAndBlankSeparators) {
    // In every menu and submenu each item has an accelerator of its own, unless every letter
    // and digit of its caption is taken by an item before it; separators carry no text that a
    // style could draw.
    std::function<void(const QMenu*)> check = [&](const QMenu* menu) {
        QSet<QKeySequence> keys;
        for (const QAction* action : menu->actions()) {
            SCOPED_TRACE(action->objectName().toStdString());
            if (action->isSeparator()) {
                EXPECT_TRUE(action->text().isEmpty());
                continue;
            }
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (key.isEmpty()) {
                for (const QChar c : caption(action)) {
                    if (c.unicode() < 128 && c.isLetterOrNumber()) {
                        EXPECT_TRUE(keys.contains(QKeySequence::mnemonic(QString('&') + c)));
                    }
                }
            } else {
                EXPECT_FALSE(keys.contains(key));
                keys.insert(key);
            }
            if (action->menu() != nullptr)
                check(action->menu());
        }
    };
    check(menu("monthMenu"));
    check(menu("yearMenu"));
    EXPECT_EQ(submenu(menu("yearMenu"), QStringLiteral("1930"))->menuAction()->text(),
              QStringLiteral("19&30"));

    // Typed into the open menu: "3" opens the decade 1930, "5" there picks 1935.
    cal->setDateTime(at(2024, 2, 10));
    show();
    menu("yearMenu")->popup(cal->mapToGlobal(QPoint(10, 10)));
    QTest::keyClick(menu("yearMenu"), Qt::Key_3);
    QMenu* decade = submenu(menu("yearMenu"), QStringLiteral("1930"));
    ASSERT_TRUE(decade->isVisible());
    QTest::keyClick(decade, Qt::Key_5);
    EXPECT_EQ(cal->dateTime(), at(1935, 2, 10));
}

TEST_F(CalendarViewTest, TitleLabelsOpenTheirMenusAndTheTodayLinkGoesToday) {
    show();
    QTest::mouseClick(label("monthLabel"), Qt::LeftButton, {}, QPoint(3, 10));
    EXPECT_TRUE(menu("monthMenu")->isVisible());
    menu("monthMenu")->hide();
    QContextMenuEvent context(QContextMenuEvent::Mouse, {3, 5},
                              label("yearWordLabel")->mapToGlobal(QPoint(3, 5)));
    QApplication::sendEvent(label("yearWordLabel"), &context);
    EXPECT_TRUE(menu("yearMenu")->isVisible());
    EXPECT_FALSE(menu("monthMenu")->isVisible());
    menu("yearMenu")->hide();

    cal->setDateTime(at(2000, 1, 1));
    clock.set(at(2030, 5, 5, 10, 0));
    QTest::mouseClick(label("todayLabel"), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(cal->dateTime(), at(2030, 5, 5, 10, 0));
}

TEST_F(CalendarViewTest, ContentColoursRefillTheShownMonthKeepingTheSelectedDay) {
    cal->setWeekNumbersVisible(true);
    EXPECT_EQ(grid()->metrics().columnWidths[0], 18);
    EXPECT_EQ(cal->weekText(1), QStringLiteral("5"));
    cal->setDateTime(at(2024, 2, 1)); // before 立春 and the New Year: 癸卯, 兔
    QSignalSpy changes(cal.get(), &CalendarView::changed);
    cal->setDayColor(QColor(1, 2, 3));
    cal->setLunarFestivalColor(QColor(4, 5, 6));
    EXPECT_EQ(cal->cell(cellOf(1)).dayColor, QColor(1, 2, 3));
    EXPECT_EQ(cal->cell(cellOf(10)).lunarColor, QColor(4, 5, 6)); // 春节
    EXPECT_EQ(cal->cell(41).dayText, QStringLiteral("癸卯"));
    EXPECT_EQ(cal->cell(42).dayText, QStringLiteral("兔年"));
    EXPECT_EQ(current(), cellPosition(5));
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(CalendarViewTest, SelectedDayIsAGradientWithAFrameUnlessHidden) {
    show();
    const QRect r = cellRect(cellOf(10));
    QImage picture = gridPicture();
    EXPECT_EQ(picture.pixelColor(r.topLeft()), QColor(0, 147, 70));
    const QColor top = picture.pixelColor(r.left() + 2, r.top() + 1);
    const QColor bottom = picture.pixelColor(r.left() + 2, r.bottom() - 1);
    EXPECT_EQ(top, QColor(0, 176, 84));     // band 15 of 256 over 27 rows
    EXPECT_EQ(bottom, QColor(0, 211, 100)); // band 242
    // Weekend day numbers in red: Saturday the 3rd, not Thursday the 1st.
    auto red = [&](int day) {
        const QRect c = cellRect(cellOf(day));
        int count = 0;
        for (int y = c.top(); y < c.center().y(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                count += picture.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
        return count;
    };
    EXPECT_GT(red(3), 0);
    EXPECT_EQ(red(1), 0);

    cal->setHideSelection(true);
    grid()->clearFocus();
    picture = gridPicture();
    EXPECT_EQ(picture.pixel(r.left() + 2, r.top() + 1),
              backgroundUnderGrid().pixel(r.left() + 2, r.top() + 1));
}

TEST_F(CalendarViewTest, DrawEventsSeeEveryDayAndCanTakeOverTheDrawing) {
    show();
    std::vector<std::tuple<int, QString, bool>> dates;
    QStringList lunar;
    bool drawThemselves = false;
    cal->dayNumberDrawHandler = [&](QObject* sender, int day, QPainter&, const QRect& rect,
                                    bool selected, QString& text, bool& defaultDraw) {
        EXPECT_EQ(sender, cal.get());
        EXPECT_EQ(rect.topLeft(), QPoint(0, 0));
        dates.emplace_back(day, text, selected);
        defaultDraw = !drawThemselves;
    };
    cal->lunarLineDrawHandler = [&](QObject*, int, QPainter&, const QRect&, bool, QString& text,
                                    bool& defaultDraw) {
        lunar << text;
        defaultDraw = !drawThemselves;
    };
    const QImage normal = gridPicture();
    ASSERT_EQ(dates.size(), 29u);
    for (const auto& [day, text, selected] : dates) {
        EXPECT_EQ(text, QString::number(day));
        EXPECT_EQ(selected, day == 10);
    }
    EXPECT_TRUE(lunar.contains(QStringLiteral("春节")));

    // Handlers that draw by themselves leave the default texts out.
    const QRect plain = cellRect(cellOf(20));
    EXPECT_GT(differingPixels(normal, backgroundUnderGrid(), plain), 20);
    drawThemselves = true;
    EXPECT_EQ(differingPixels(gridPicture(), backgroundUnderGrid(), plain), 0);
}

// Marks come from whoever set them, once per month shown; a marked day draws a dot in its
// cell and lists the mark in its tooltip; a double-click names its day.
TEST_F(CalendarViewTest, MarkedDaysAreAskedOncePerMonthDrawnAndListedAndDoubleClicksNameTheDay) {
    std::vector<std::pair<int, int>> asked;
    std::map<int, QString> february{{14, QStringLiteral("生日提醒 09:00 妈妈")}};
    cal->setMonthMarks([&](int year, int month) {
        asked.emplace_back(year, month);
        return month == 2 ? february : std::map<int, QString>{};
    });
    show();
    EXPECT_EQ(cal->markText(14), QStringLiteral("生日提醒 09:00 妈妈"));
    EXPECT_TRUE(cal->markText(13).isEmpty());
    const QImage marked = gridPicture();

    QHelpEvent tip(QEvent::ToolTip, cellRect(cellOf(14)).center(),
                   grid()->mapToGlobal(cellRect(cellOf(14)).center()));
    QApplication::sendEvent(grid(), &tip);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("生日提醒 09:00 妈妈"));
    QToolTip::hideText();
    QHelpEvent none(QEvent::ToolTip, cellRect(cellOf(13)).center(),
                    grid()->mapToGlobal(cellRect(cellOf(13)).center()));
    QApplication::sendEvent(grid(), &none);
    EXPECT_FALSE(none.isAccepted()) << "a day without a mark has no tooltip";

    february.clear();
    cal->refreshMarks();
    const QImage unmarked = gridPicture();
    EXPECT_GT(differingPixels(marked, unmarked, cellRect(cellOf(14))), 0);
    EXPECT_EQ(differingPixels(marked, unmarked, cellRect(cellOf(13))), 0);

    asked.clear();
    clickCell(cellOf(20)); // the same month: nothing asked
    cal->setDateTime(at(2024, 3, 1));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2024, 3}}));

    QSignalSpy doubleClicked(cal.get(), &CalendarView::dayDoubleClicked);
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, cellRect(cellOf(20)).center());
    ASSERT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(doubleClicked[0][0].toDate(), QDate(2024, 3, 20));
}
