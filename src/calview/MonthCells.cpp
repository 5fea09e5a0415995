#include "calview/MonthCells.h"

#include <exception>

namespace MonthCells {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

const DayCell& emptyCell() {
    static const DayCell cell;
    return cell;
}

// The grid's first column is Sunday; Qt counts Monday as 1 and Sunday as 7.
int sundayBasedWeekday(QDate date) {
    return date.dayOfWeek() % 7 + 1;
}

} // namespace

DayTexts textsOf(const ChnCalendarUse::ChineseDateTexts& cal) {
    DayTexts t;
    t.lunarDay = fromUtf8(cal.LunarDayText());
    t.lunarMonth = fromUtf8(cal.LunarMonthText());
    t.solarFestival = fromUtf8(cal.SolarFestivalText());
    t.solarTerm = fromUtf8(cal.SolarTermText());
    t.lunarFestival = fromUtf8(cal.LunarFestivalText());
    return t;
}

LunarLine chooseLunarLine(const DayTexts& texts, const MonthColors& colors) {
    LunarLine line{texts.lunarDay, colors.lunarDay};
    if (texts.lunarDay == QStringLiteral("初一"))
        line = {texts.lunarMonth, kLunarMonthStartColor};
    if (!texts.solarFestival.isEmpty())
        line = {texts.solarFestival, colors.solarFestival};
    if (!texts.solarTerm.isEmpty())
        line = {texts.solarTerm, colors.solarTerm};
    if (!texts.lunarFestival.isEmpty())
        line = {texts.lunarFestival, colors.lunarFestival};
    return line;
}

QString infoLine(QDate date, const QString& eraText, const QString& lunarDate) {
    const QString head = date.year() < 1949 ? eraText : date.toString(QStringLiteral("yyyy-MM-dd"));
    return head + QStringLiteral(" 农历") + lunarDate;
}

MonthSheet::MonthSheet() = default;

const DayCell& MonthSheet::cell(int cellNumber) const {
    if (cellNumber < 1 || cellNumber > CalendarLayout::kCellCount)
        return emptyCell();
    return cells_[static_cast<std::size_t>(cellNumber)];
}

const QString& MonthSheet::weekText(int row) const {
    static const QString none;
    if (row < 1 || row > 6)
        return none;
    return weekTexts_[static_cast<std::size_t>(row - 1)];
}

int MonthSheet::fill(QDate selected, ChnCalendarUse::ChineseDateTexts& cal,
                     const MonthColors& colors) {
    using CalendarLayout::kFirstTitleCell;
    for (int n = kFirstTitleCell; n <= CalendarLayout::kCellCount; ++n)
        cells_[static_cast<std::size_t>(n)].filled = true;
    // Cells 41 and 42 read as one phrase ("乙巳蛇年"): both name the lunar year.
    cells_[41].dayText = fromUtf8(cal.LunarYearCycleText());
    cells_[42].dayText = fromUtf8(cal.AnimalText()) + QStringLiteral("年");

    for (QString& text : weekTexts_)
        text.clear();
    for (int n = 1; n < kFirstTitleCell; ++n) {
        DayCell& cell = cells_[static_cast<std::size_t>(n)];
        cell = DayCell();
        cell.dayColor = (n % 7 == 1 || n % 7 == 0) ? kWeekendDayColor : colors.day;
    }

    if (!selected.isValid())
        return 0;
    const int year = selected.year();
    const int month = selected.month();
    const int first = sundayBasedWeekday(QDate(year, month, 1));
    const int length = selected.daysInMonth();
    int selectedCell = 0;
    try {
        int lastWeek = 0;
        std::size_t weekRows = 0;
        for (int n = first; n <= first + length - 1; ++n) {
            const int d = n - first + 1;
            cal.Calculate(year, month, d);

            const int week = QDate(year, month, d).weekNumber();
            if (week != lastWeek && weekRows < weekTexts_.size()) {
                weekTexts_[weekRows++] = QString::number(week);
                lastWeek = week;
            }

            DayCell& cell = cells_[static_cast<std::size_t>(n)];
            cell.day = d;
            cell.dayText = QString::number(d);
            const DayTexts texts = textsOf(cal);
            cell.lunarMonthText = texts.lunarMonth;
            cell.lunarDayText = texts.lunarDay;
            const LunarLine line = chooseLunarLine(texts, colors);
            cell.lunarLine = line.text;
            cell.lunarColor = line.color;

            if (d == selected.day()) {
                cells_[kFirstTitleCell].dayText = fromUtf8(cal.StarSignText());
                selectedCell = n;
            }
            cell.filled = true;
        }
    } catch (const std::exception&) {
        // A month that cannot be filled completely keeps the days filled so far.
    }
    return selectedCell;
}

} // namespace MonthCells
