#include "calview/DateStepping.h"

#include <algorithm>

namespace DateStepping {

bool YearInRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

std::optional<QDate> DayOrLastOfMonth(int year, int month, int day) {
    if (!YearInRange(year) || month < 1 || month > 12)
        return std::nullopt;
    for (int d = std::min(day, 31); d >= 1; --d) {
        if (QDate::isValid(year, month, d))
            return QDate(year, month, d);
    }
    return std::nullopt;
}

Step MonthStep(QDate current, int monthSpin) {
    Step step;
    if (!current.isValid())
        return step;
    int year = current.year();
    int month = monthSpin;
    if (monthSpin >= 13) {
        ++year;
        month = 1;
    } else if (monthSpin <= 0) {
        --year;
        month = 12;
    }
    step.Target = YearInRange(year) ? DayOrLastOfMonth(year, month, current.day()) : std::nullopt;
    if (step.Target) {
        step.YearSpin = year;
        step.MonthSpin = month;
    } else {
        step.YearSpin = current.year();
        step.MonthSpin = current.month();
    }
    return step;
}

std::optional<QDate> YearStep(QDate current, int yearSpin) {
    if (!current.isValid())
        return std::nullopt;
    return DayOrLastOfMonth(yearSpin, current.month(), current.day());
}

} // namespace DateStepping
