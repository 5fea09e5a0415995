#include "calview/ChnCalendarPicker.h"
#include "calview/TCalendarGrid.h"
#include "calview/TSpinButtons.h"
#include "chncal/ChnCalendarUse.h"
#include "support/FakeClock.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using CalendarLayout::CellPosition;

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

class ChnCalendarTest : public ::testing::Test {
protected:
    FakeClock clock{at(2024, 2, 10, 9, 30)};
    std::unique_ptr<TChnCalendar> cal = std::make_unique<TChnCalendar>();

    void show() {
        cal->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cal.get()));
    }
    // Cell number of a day of the shown month.
    int cellOf(int day) const {
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n) {
            if (cal->Cell(n).Filled && cal->Cell(n).Day == day)
                return n;
        }
        return 0;
    }
    QRect cellRect(int n) const {
        const QPoint p = CellPosition(n);
        return cal->Grid->CellRect(p.x(), p.y());
    }
    void clickCell(int n) {
        QTest::mouseClick(cal->Grid, Qt::LeftButton, {}, cellRect(n).center());
    }
    QPoint current() const { return {cal->Grid->Col(), cal->Grid->Row()}; }
    QImage gridPicture() const { return cal->Grid->grab().toImage(); }
    // The background under the grid, as the cells start from it.
    QImage backgroundUnderGrid() const { return cal->Background().copy(cal->Grid->geometry()); }
};

} // namespace

TEST_F(ChnCalendarTest, CreationShowsTodayWithTheTitleInPlace) {
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 10, 9, 30));
    EXPECT_TRUE(cal->ShowTitle());
    EXPECT_EQ(current(), CellPosition(14)); // Thursday the 1st is cell 5
    EXPECT_EQ(cal->SpinMonth->Position(), 2);
    EXPECT_EQ(cal->SpinYear->Position(), 2024);
    const std::pair<QWidget*, QPoint> places[] = {
        {cal->LabelToday, {272, 18}}, {cal->LabelMonthWord, {45, 20}},
        {cal->LabelYear, {120, 0}},   {cal->LabelYearWord, {205, 18}},
        {cal->LabelInfo, {10, 236}},  {cal->SpinMonth, {60, 10}},
        {cal->SpinYear, {220, 10}}};
    for (const auto& [child, pos] : places)
        EXPECT_EQ(child->pos(), pos) << qPrintable(child->objectName());
    EXPECT_EQ(cal->LabelYear->text(), QStringLiteral("2024"));
    EXPECT_EQ(cal->LabelInfo->text(), QStringLiteral("2024-02-10 农历正月初一"));
    EXPECT_EQ(cal->CnDate(), QStringLiteral("正月初一"));
    // The month number is right-justified: two digits grow to the left of "月".
    const int right = cal->LabelMonth->geometry().right();
    EXPECT_LE(right, 45);
    cal->SetDateTime(at(2024, 12, 1));
    EXPECT_EQ(cal->LabelMonth->text(), QStringLiteral("12"));
    EXPECT_EQ(cal->LabelMonth->geometry().right(), right);
}

TEST_F(ChnCalendarTest, GridEndsTwentySevenAboveTheBottomAndCoversTheInfoLineWhenTall) {
    EXPECT_EQ(cal->Grid->geometry().bottom() + 1, 226);
    EXPECT_FALSE(cal->Grid->geometry().intersects(cal->LabelInfo->geometry()));
    cal->resize(735, 316); // the main window's page
    show();
    EXPECT_EQ(cal->Grid->geometry(), QRect(8, 40, 720, 249));
    EXPECT_EQ(cal->Background().size(), QSize(735, 316));
    EXPECT_EQ(cal->childAt(cal->LabelInfo->geometry().topLeft() + QPoint(2, 2)), cal->Grid);
}

TEST_F(ChnCalendarTest, HiddenTitleGivesTheGridTheControlAndTheYearMenuOnRightClick) {
    show();
    auto rightClick = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {50, 50},
                                cal->Grid->mapToGlobal(QPoint(50, 50)));
        QApplication::sendEvent(cal->Grid, &event);
    };
    rightClick();
    EXPECT_FALSE(cal->MenuYear->isVisible());
    cal->SetShowTitle(false);
    EXPECT_EQ(cal->Grid->geometry(), QRect(2, 2, 309, 249));
    EXPECT_EQ(cal->Grid->Metrics().rowHeights[6], 249 - 18 - 5 * 37);
    EXPECT_TRUE(cal->SpinMonth->isHidden());
    EXPECT_TRUE(cal->SpinYear->isHidden());
    rightClick();
    EXPECT_TRUE(cal->MenuYear->isVisible());
    cal->MenuYear->hide();
}

TEST_F(ChnCalendarTest, OnlyANewValueInTheSupportedYearsChangesTheDate) {
    QSignalSpy changes(cal.get(), &TChnCalendar::OnChange);
    cal->SetDateTime(at(2024, 2, 10, 9, 30));
    EXPECT_EQ(changes.count(), 0);
    cal->SetDateTime(at(2024, 2, 10, 9, 31)); // same day, another time: refilled
    EXPECT_EQ(changes.count(), 1);
    for (const QDateTime& refused : {at(2101, 1, 1), QDateTime(), at(-1, 12, 31)})
        cal->SetDateTime(refused);
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 10, 9, 31));
    EXPECT_EQ(cal->SpinYear->Position(), 2024);
    cal->SetDateTime(at(1, 1, 1));
    EXPECT_EQ(changes.count(), 2);
    cal->SetDateTime(at(1644, 5, 1));
    EXPECT_TRUE(cal->LabelInfo->text().startsWith(
        QString::fromStdString(ChnCalendarUse::EraTextOf(1644)) + QStringLiteral(" 农历")));
}

TEST_F(ChnCalendarTest, SpinsStepMonthsAndYearsAndStopAtTheSupportedYears) {
    cal->SetDateTime(at(2024, 1, 31, 8, 0));
    cal->SpinMonth->UpButton()->click();
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 29));
    cal->SpinYear->DownButton()->click();
    EXPECT_EQ(cal->DateTime(), at(2023, 2, 28));
    cal->SetDateTime(at(2023, 12, 15));
    cal->SpinMonth->UpButton()->click();
    EXPECT_EQ(cal->DateTime(), at(2024, 1, 15));
    EXPECT_EQ(cal->SpinMonth->Position(), 1);

    QSignalSpy changes(cal.get(), &TChnCalendar::OnChange);
    cal->SetDateTime(at(2100, 12, 31));
    cal->SpinMonth->UpButton()->click();
    cal->SpinYear->UpButton()->click();
    EXPECT_EQ(cal->DateTime(), at(2100, 12, 31));
    EXPECT_EQ(cal->SpinMonth->Position(), 12);
    EXPECT_EQ(cal->SpinYear->Position(), 2100);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ChnCalendarTest, OnlyFilledDateCellsCanBeClicked) {
    cal->SetDateTime(at(2025, 3, 31)); // fills cells 7..37, which February must clear again
    cal->SetDateTime(at(2024, 2, 10, 9, 30));
    show();
    QSignalSpy changes(cal.get(), &TChnCalendar::OnChange);
    QSignalSpy clicks(cal.get(), &TChnCalendar::OnDateClick);
    QSignalSpy selects(cal.get(), &TChnCalendar::OnDateSelect);
    const QPoint before = current();
    for (int n : {40, 41, 42, 4, 34, 38}) // title cells, and empty ones: February fills 5..33
        clickCell(n);
    const auto& m = cal->Grid->Metrics();
    for (QPoint cell : {QPoint(3, 0), QPoint(0, 3), QPoint(8, 3)}) // header, weeks, filler
        QTest::mouseClick(cal->Grid, Qt::LeftButton, {}, m.CellRect(cell.x(), cell.y()).center());
    EXPECT_EQ(current(), before);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(clicks.count(), 0);

    clickCell(cellOf(20));
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 20));
    EXPECT_EQ(current(), CellPosition(cellOf(20)));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(selects.count(), 1);
    // Released over another cell than the one that became current: no OnDateSelect.
    QTest::mousePress(cal->Grid, Qt::LeftButton, {}, cellRect(cellOf(21)).center());
    QTest::mouseRelease(cal->Grid, Qt::LeftButton, {}, cellRect(cellOf(22)).center());
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 21));
    EXPECT_EQ(selects.count(), 1);
}

TEST_F(ChnCalendarTest, ArrowKeysStopAtEmptyCellsAndRaiseOnDateClickOnlyAfterAPress) {
    show();
    QSignalSpy clicks(cal.get(), &TChnCalendar::OnDateClick);
    QTest::keyClick(cal->Grid, Qt::Key_Right); // Saturday the 10th: the filler refuses
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 10, 9, 30));
    QTest::keyClick(cal->Grid, Qt::Key_Left);
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 9));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(cal->Grid, Qt::RightButton, {}, cellRect(cellOf(9)).center());
    QTest::keyClick(cal->Grid, Qt::Key_Left);
    EXPECT_EQ(clicks.count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cal.get(), &leave);
    QTest::keyClick(cal->Grid, Qt::Key_Left);
    EXPECT_EQ(cal->DateTime(), at(2024, 2, 7));
    EXPECT_EQ(clicks.count(), 1);

    cal->SetDateTime(at(2024, 2, 29)); // cell 33: below is the star sign, right is empty
    QTest::keyClick(cal->Grid, Qt::Key_Down);
    QTest::keyClick(cal->Grid, Qt::Key_Right);
    EXPECT_EQ(current(), CellPosition(33));
}

TEST_F(ChnCalendarTest, MonthMenuOffersTodayAndTheTwelveMonths) {
    QStringList expected{"MenuMonth_ToDay", "MenuMonth_ToDay_"};
    for (int i = 0; i < 12; ++i)
        expected << QStringLiteral("MenuMonth_%1").arg(i);
    EXPECT_EQ(actionNames(cal->MenuMonth), expected);
    const QList<QAction*> actions = cal->MenuMonth->actions();
    EXPECT_EQ(caption(actions[0]), QStringLiteral("今日"));
    EXPECT_EQ(cal->MenuMonth->defaultAction(), actions[0]);
    EXPECT_EQ(caption(actions[13]), QLocale().monthName(12, QLocale::LongFormat));
    actions[2 + 4]->trigger(); // tag 5
    EXPECT_EQ(cal->DateTime(), at(2024, 5, 10));
    clock.set(at(2031, 7, 7, 7, 7));
    actions[0]->trigger();
    EXPECT_EQ(cal->DateTime(), at(2031, 7, 7, 7, 7));
}

TEST_F(ChnCalendarTest, YearMenuOffersHistoricalCenturiesAndTheDecadesFrom1900) {
    const QList<QAction*> top = cal->MenuYear->actions();
    ASSERT_EQ(top.size(), 4 + 20);
    EXPECT_EQ(actionNames(cal->MenuYear).mid(0, 5),
              QStringList({"MenuYear_ToDay", "MenuYear_ToDay_1", "MenuYear_History",
                           "MenuYear_ToDay_2", "MenuYear_1900"}));
    EXPECT_EQ(cal->MenuYear->defaultAction(), top[0]);
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
    EXPECT_EQ(zero->menuAction()->objectName(), QStringLiteral("MenuYear_History_10"));
    EXPECT_EQ(years(zero, "MenuYear_History_"), "10 20 30 40 50 60 70 80 90 100");
    QMenu* last = submenu(cal->MenuYear, QStringLiteral("2090"));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->menuAction()->objectName(), QStringLiteral("MenuYear_2090"));
    EXPECT_EQ(years(last, "MenuYear_"), "2090 2091 2092 2093 2094 2095 2096 2097 2098 2099");

    last->actions()[5]->trigger();
    EXPECT_EQ(cal->DateTime(), at(2095, 2, 10));
    cal->SetDateTime(at(2024, 2, 29));
    submenu(history, QStringLiteral("1800"))->actions().back()->trigger(); // 1900
    EXPECT_EQ(cal->DateTime(), at(1900, 2, 28));
}

TEST_F(ChnCalendarTest, MenusHaveAcceleratorKeysAndBlankSeparators) {
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
    check(cal->MenuMonth);
    check(cal->MenuYear);
    EXPECT_EQ(submenu(cal->MenuYear, QStringLiteral("1930"))->menuAction()->text(),
              QStringLiteral("19&30"));

    // Typed into the open menu: "3" opens the decade 1930, "5" there picks 1935.
    cal->SetDateTime(at(2024, 2, 10));
    show();
    cal->MenuYear->popup(cal->mapToGlobal(QPoint(10, 10)));
    QTest::keyClick(cal->MenuYear, Qt::Key_3);
    QMenu* decade = submenu(cal->MenuYear, QStringLiteral("1930"));
    ASSERT_TRUE(decade->isVisible());
    QTest::keyClick(decade, Qt::Key_5);
    EXPECT_EQ(cal->DateTime(), at(1935, 2, 10));
}

TEST_F(ChnCalendarTest, TitleLabelsOpenTheirMenusAndTheTodayLinkGoesToday) {
    show();
    QTest::mouseClick(cal->LabelMonth, Qt::LeftButton, {}, QPoint(3, 10));
    EXPECT_TRUE(cal->MenuMonth->isVisible());
    cal->MenuMonth->hide();
    QContextMenuEvent context(QContextMenuEvent::Mouse, {3, 5},
                              cal->LabelYearWord->mapToGlobal(QPoint(3, 5)));
    QApplication::sendEvent(cal->LabelYearWord, &context);
    EXPECT_TRUE(cal->MenuYear->isVisible());
    EXPECT_FALSE(cal->MenuMonth->isVisible());
    cal->MenuYear->hide();

    cal->SetDateTime(at(2000, 1, 1));
    clock.set(at(2030, 5, 5, 10, 0));
    QTest::mouseClick(cal->LabelToday, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(cal->DateTime(), at(2030, 5, 5, 10, 0));
}

TEST_F(ChnCalendarTest, ContentColoursRefillTheShownMonthKeepingTheSelectedDay) {
    cal->SetShowWeekNum(true);
    EXPECT_EQ(cal->Grid->Metrics().columnWidths[0], 18);
    EXPECT_EQ(cal->WeekText(1), QStringLiteral("5"));
    cal->SetDateTime(at(2024, 2, 1)); // before 立春 and the New Year: 癸卯, 兔
    QSignalSpy changes(cal.get(), &TChnCalendar::OnChange);
    cal->SetColorDate(QColor(1, 2, 3));
    cal->SetColorCnHolDay(QColor(4, 5, 6));
    EXPECT_EQ(cal->Cell(cellOf(1)).DayColor, QColor(1, 2, 3));
    EXPECT_EQ(cal->Cell(cellOf(10)).LunarColor, QColor(4, 5, 6)); // 春节
    EXPECT_EQ(cal->Cell(41).DayText, QStringLiteral("癸卯"));
    EXPECT_EQ(cal->Cell(42).DayText, QStringLiteral("兔年"));
    EXPECT_EQ(current(), CellPosition(5));
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ChnCalendarTest, SelectedDayIsAGradientWithAFrameUnlessHidden) {
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

    cal->SetHideSelection(true);
    cal->Grid->clearFocus();
    picture = gridPicture();
    EXPECT_EQ(picture.pixel(r.left() + 2, r.top() + 1),
              backgroundUnderGrid().pixel(r.left() + 2, r.top() + 1));
}

TEST_F(ChnCalendarTest, DrawEventsSeeEveryDayAndCanTakeOverTheDrawing) {
    show();
    std::vector<std::tuple<int, QString, bool>> dates;
    QStringList lunar;
    bool drawThemselves = false;
    cal->OnDrawDateCell = [&](QObject* sender, int day, QPainter&, const QRect& rect, bool selected,
                              QString& text, bool& defaultDraw) {
        EXPECT_EQ(sender, cal.get());
        EXPECT_EQ(rect.topLeft(), QPoint(0, 0));
        dates.emplace_back(day, text, selected);
        defaultDraw = !drawThemselves;
    };
    cal->OnDrawCnDateCell = [&](QObject*, int, QPainter&, const QRect&, bool, QString& text,
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
