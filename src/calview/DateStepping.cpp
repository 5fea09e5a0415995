#include "calview/DateStepping.h"

#include <algorithm>

namespace DateStepping {

bool yearInRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

std::optional<QDate> dayOrLastOfMonth(int year, int month, int day) {
    if (!yearInRange(year) || month < 1 || month > 12)
        return std::nullopt;
    for (int d = std::min(day, 31); d >= 1; --d) {
        if (QDate::isValid(year, month, d))
            return QDate(year, month, d);
    }
    return std::nullopt;
}

Step monthStep(QDate current, int monthSpin) {
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
    step.target = yearInRange(year) ? dayOrLastOfMonth(year, month, current.day()) : std::nullopt;
    if (step.target) {
        step.yearSpin = year;
        step.monthSpin = month;
    } else {
        step.yearSpin = current.year();
        step.monthSpin = current.month();
    }
    return step;
}

std::optional<QDate> yearStep(QDate current, int yearSpin) {
    if (!current.isValid())
        return std::nullopt;
    return dayOrLastOfMonth(yearSpin, current.month(), current.day());
}

} // namespace DateStepping
