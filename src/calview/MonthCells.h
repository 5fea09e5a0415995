#pragma once

// The content of the month view: one record per day cell, the ISO week numbers of the six week
// rows, the choice of the text and colour under each day number, and the summary line of the
// selected date. Filled from the calendar engine without any painting.

#include "calview/CalendarLayout.h"
#include "chncal/ChnCalendarUse.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <array>

namespace MonthCells {

struct DayCell {
    int day = 0;
    bool filled = false;
    QString dayText; // the day number; for the title cells 40..42 their text
    QString lunarMonthText;
    QString lunarDayText;
    QString lunarLine; // what the lower half of the cell shows
    QColor dayColor;
    QColor lunarColor;
};

// The colours the filling decides (the ones that make the month refill when changed).
struct MonthColors {
    QColor day{79, 79, 79};
    QColor lunarDay{0, 128, 0};
    QColor solarFestival{255, 128, 0};
    QColor solarTerm{83, 83, 255};
    QColor lunarFestival{255, 128, 0};
};

inline const QColor kWeekendDayColor{255, 0, 0};
inline const QColor kLunarMonthStartColor{255, 0, 0};

// The engine's texts of one day that compete for the lower half of its cell.
struct DayTexts {
    QString lunarDay;
    QString lunarMonth;
    QString solarFestival;
    QString solarTerm;
    QString lunarFestival;
};
DayTexts textsOf(const ChnCalendarUse::ChineseDateTexts& cal);

struct LunarLine {
    QString text;
    QColor color;
};
// The lunar day, or the lunar month's name in red on its first day; a Gregorian festival
// replaces it, a solar term replaces that, and a lunar festival replaces everything.
LunarLine chooseLunarLine(const DayTexts& texts, const MonthColors& colors);

// Summary of the selected date: before 1949 the reign era, afterwards the ISO date, each
// followed by " 农历" and the lunar month and day.
QString infoLine(QDate date, const QString& eraText, const QString& lunarDate);

class MonthSheet {
public:
    MonthSheet();

    // Cell 1..42 (anything else gives an empty, unfilled record).
    const DayCell& cell(int cellNumber) const;
    // Week text of week row 1..6 (empty when the row starts no new ISO week).
    const QString& weekText(int row) const;

    // Refills every cell for the month of `selected`. `cal` must hold the texts of `selected`
    // on entry (the title cells take the lunar year's cycle and animal from it) and is used for
    // every day of the month. Returns the cell number of the selected day, 0 when the filling
    // stopped before reaching it. A failure stops the filling and keeps what was filled.
    int fill(QDate selected, ChnCalendarUse::ChineseDateTexts& cal, const MonthColors& colors);

private:
    std::array<DayCell, CalendarLayout::kCellCount + 1> cells_; // index 0 unused
    std::array<QString, 6> weekTexts_;
};

} // namespace MonthCells
