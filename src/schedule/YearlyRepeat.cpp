#include "schedule/YearlyRepeat.h"

#include "chncal/ChnCalendarUse.h"
#include "chncal/CnCalendar.h"

#include <QCalendar>
#include <QRegularExpression>
#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace YearlyRepeat {

namespace {

// Four-digit years: what the stored text can hold.
constexpr int kLastSolarYear = 9999;

// The engine counts Julian dates up to 1582-10-04 and Gregorian ones after; QDate is
// proleptic Gregorian throughout.
const QDate kFirstGregorianDay(1582, 10, 15);

struct EngineDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<EngineDate> engineDateOf(const QDate& date) {
    if (!date.isValid()) {
        return std::nullopt;
    }
    EngineDate parts;
    if (date < kFirstGregorianDay) {
        const QCalendar::YearMonthDay julian =
            QCalendar(QCalendar::System::Julian).partsFromDate(date);
        parts = {julian.year, julian.month, julian.day};
    } else {
        date.getDate(&parts.year, &parts.month, &parts.day);
    }
    return parts;
}

QDate dateOfEngine(int year, int month, int day) {
    if (CnCalendar::CalendarKind(year, month, day) == 1) {
        return QDate(year, month, day, QCalendar(QCalendar::System::Julian));
    }
    return QDate(year, month, day);
}

std::optional<CnCalendar::LunarDate> lunarDateOf(const QDate& date) {
    const std::optional<EngineDate> parts = engineDateOf(date);
    CnCalendar::LunarDate lunar;
    if (!parts || !CnCalendar::SolarToLunar(parts->year, parts->month, parts->day, lunar)) {
        return std::nullopt;
    }
    return lunar;
}

struct LunarMonth {
    QDate first;
    int length = 0;
    // False for the last month of the calendar's span, which runs on beyond it: only its first
    // `length` days are known.
    bool complete = true;
};

std::optional<LunarMonth> findLunarMonth(int lunarYear, int month, bool leap) {
    int y = 0;
    int m = 0;
    int d = 0;
    if (!CnCalendar::LunarToSolar(lunarYear, month, 1, leap, y, m, d)) {
        return std::nullopt;
    }
    const QDate first = dateOfEngine(y, m, d);
    auto isDayOfMonth = [&](int day) {
        return lunarDateOf(first.addDays(day - 1)) ==
               CnCalendar::LunarDate{lunarYear, month, day, leap};
    };
    // A few months of the reformed calendars had 28 days.
    for (int length = 30; length >= 28; --length) {
        if (isDayOfMonth(length)) {
            return LunarMonth{first, length, true};
        }
    }
    int known = 1;
    while (known < 30 && isDayOfMonth(known + 1)) {
        ++known;
    }
    return LunarMonth{first, known, false};
}

// The months are looked up once each: the search behind LunarToSolar costs some twenty full
// conversions, and the calendar asks for the same few hundred months over and over.
std::optional<LunarMonth> lunarMonth(int lunarYear, int month, bool leap) {
    static std::mutex mutex;
    static std::unordered_map<qint64, std::optional<LunarMonth>> months;
    const qint64 key = (qint64{lunarYear} * 13 + month) * 2 + (leap ? 1 : 0);
    const std::lock_guard lock(mutex);
    const auto found = months.find(key);
    if (found != months.end()) {
        return found->second;
    }
    return months.emplace(key, findLunarMonth(lunarYear, month, leap)).first->second;
}

// The lunar year a day belongs to, from the New Years around it.
std::optional<int> lunarYearOf(const QDate& date) {
    const std::optional<EngineDate> parts = engineDateOf(date);
    if (!parts || parts->year < CnCalendar::MinLunarYear ||
        parts->year > CnCalendar::MaxLunarYear) {
        return std::nullopt;
    }
    const int year = parts->year;
    const std::optional<LunarMonth> newYear = lunarMonth(year, 1, false);
    if (!newYear) {
        const std::optional<CnCalendar::LunarDate> lunar = lunarDateOf(date);
        return lunar ? std::optional<int>(lunar->Year) : std::nullopt;
    }
    // Under the reformed calendars of the years 9-23 a lunar year could begin in December.
    if (const std::optional<LunarMonth> next = lunarMonth(year + 1, 1, false);
        next && date >= next->first) {
        return year + 1;
    }
    if (date >= newYear->first) {
        return year;
    }
    return year == 1 ? -1 : year - 1;
}

// The last year in which the anchor's calendar can place an occurrence.
int lastYearOf(const YearlyAnchor& anchor) {
    return anchor.calendar == RepeatCalendar::Lunar ? CnCalendar::MaxLunarYear : kLastSolarYear;
}

// The anchor-calendar year of a moment; none when it lies outside the lunar calendar's span.
std::optional<int> yearOf(const YearlyAnchor& anchor, const QDate& date) {
    if (anchor.calendar == RepeatCalendar::Solar) {
        return date.year();
    }
    return lunarYearOf(date);
}

// The date of the occurrence in one year. Moments are compared as the wall clock shows them,
// and a local QDateTime costs a time-zone lookup each: only the results are made into one.
std::optional<QDate> occurrenceDate(const YearlyAnchor& anchor, int year) {
    if (year < anchor.year || year > lastYearOf(anchor) || !anchor.timeOfDay.isValid()) {
        return std::nullopt;
    }
    if (anchor.calendar == RepeatCalendar::Solar) {
        const QDate first(year, anchor.month, 1);
        if (!first.isValid()) {
            return std::nullopt;
        }
        return first.addDays(std::min(anchor.day, first.daysInMonth()) - 1);
    }
    const bool leap = anchor.leapMonth && CnCalendar::LeapMonthOf(year) == anchor.month;
    const std::optional<LunarMonth> month = lunarMonth(year, anchor.month, leap);
    if (!month || (!month->complete && anchor.day > month->length)) {
        return std::nullopt;
    }
    return month->first.addDays(std::min(anchor.day, month->length) - 1);
}

} // namespace

std::optional<YearlyAnchor> parse(const QString& text) {
    static const QRegularExpression solarPattern(QRegularExpression::anchoredPattern(
        QStringLiteral("S:([0-9]{4})-([0-9]{2})-([0-9]{2})@([0-9]{2}):([0-9]{2})")));
    static const QRegularExpression lunarPattern(QRegularExpression::anchoredPattern(
        QStringLiteral("L:([0-9]{4})-([1-9]|1[0-2])(L?)-"
                       "([1-9]|[12][0-9]|30)@([0-9]{2}):([0-9]{2})")));
    YearlyAnchor anchor;
    QRegularExpressionMatch match = solarPattern.match(text);
    int timeGroup = 4;
    if (match.hasMatch()) {
        anchor.calendar = RepeatCalendar::Solar;
        anchor.year = match.captured(1).toInt();
        anchor.month = match.captured(2).toInt();
        anchor.day = match.captured(3).toInt();
        if (!QDate(anchor.year, anchor.month, anchor.day).isValid()) {
            return std::nullopt;
        }
    } else {
        match = lunarPattern.match(text);
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        anchor.calendar = RepeatCalendar::Lunar;
        anchor.year = match.captured(1).toInt();
        anchor.month = match.captured(2).toInt();
        anchor.leapMonth = !match.captured(3).isEmpty();
        anchor.day = match.captured(4).toInt();
        timeGroup = 5;
    }
    anchor.timeOfDay =
        QTime(match.captured(timeGroup).toInt(), match.captured(timeGroup + 1).toInt());
    if (anchor.year < 1 || !anchor.timeOfDay.isValid()) {
        return std::nullopt;
    }
    return anchor;
}

QString format(const YearlyAnchor& anchor) {
    const QString time = anchor.timeOfDay.toString(QStringLiteral("HH:mm"));
    const QString year = QStringLiteral("%1").arg(anchor.year, 4, 10, QLatin1Char('0'));
    if (anchor.calendar == RepeatCalendar::Solar) {
        return QStringLiteral("S:%1-%2-%3@%4")
            .arg(year)
            .arg(anchor.month, 2, 10, QLatin1Char('0'))
            .arg(anchor.day, 2, 10, QLatin1Char('0'))
            .arg(time);
    }
    return QStringLiteral("L:%1-%2%3-%4@%5")
        .arg(year)
        .arg(anchor.month)
        .arg(anchor.leapMonth ? QStringLiteral("L") : QString())
        .arg(anchor.day)
        .arg(time);
}

std::optional<YearlyAnchor> anchorOf(RepeatCalendar calendar, const QDateTime& picked) {
    if (!picked.isValid()) {
        return std::nullopt;
    }
    const QTime time(picked.time().hour(), picked.time().minute());
    YearlyAnchor anchor{calendar, 0, 0, 0, false, time};
    if (calendar == RepeatCalendar::Solar) {
        picked.date().getDate(&anchor.year, &anchor.month, &anchor.day);
    } else {
        const std::optional<CnCalendar::LunarDate> lunar = lunarDateOf(picked.date());
        if (!lunar) {
            return std::nullopt;
        }
        anchor.year = lunar->Year;
        anchor.month = lunar->Month;
        anchor.day = lunar->Day;
        anchor.leapMonth = lunar->Leap;
    }
    if (anchor.year < 1 || anchor.year > kLastSolarYear) {
        return std::nullopt;
    }
    return anchor;
}

std::optional<QDateTime> occurrenceInYear(const YearlyAnchor& anchor, int year) {
    const std::optional<QDate> date = occurrenceDate(anchor, year);
    if (!date) {
        return std::nullopt;
    }
    return QDateTime(*date, anchor.timeOfDay);
}

std::optional<QDateTime> nextOccurrence(const YearlyAnchor& anchor, const QDateTime& after) {
    if (!after.isValid()) {
        return std::nullopt;
    }
    const QDate afterDate = after.date();
    const QTime afterTime = after.time();
    std::optional<int> first = yearOf(anchor, afterDate);
    if (!first) {
        if (afterDate.year() > CnCalendar::MaxLunarYear) {
            return std::nullopt;
        }
        first = anchor.year; // before the lunar calendar's span
    }
    // Occurrences of earlier years all lie before `after`: only this year's can still come.
    for (int year = std::max(*first, anchor.year); year <= lastYearOf(anchor); ++year) {
        const std::optional<QDate> date = occurrenceDate(anchor, year);
        if (date && (*date > afterDate || (*date == afterDate && anchor.timeOfDay > afterTime))) {
            return QDateTime(*date, anchor.timeOfDay);
        }
    }
    return std::nullopt;
}

std::optional<QDateTime> latestOccurrence(const YearlyAnchor& anchor, const QDateTime& notAfter) {
    if (!notAfter.isValid()) {
        return std::nullopt;
    }
    const QDate lastDate = notAfter.date();
    const QTime lastTime = notAfter.time();
    std::optional<int> last = yearOf(anchor, lastDate);
    if (!last) {
        if (lastDate.year() < CnCalendar::MinLunarYear) {
            return std::nullopt;
        }
        last = CnCalendar::MaxLunarYear; // beyond the lunar calendar's span
    }
    for (int year = std::min(*last, lastYearOf(anchor)); year >= anchor.year; --year) {
        const std::optional<QDate> date = occurrenceDate(anchor, year);
        if (date && (*date < lastDate || (*date == lastDate && anchor.timeOfDay <= lastTime))) {
            return QDateTime(*date, anchor.timeOfDay);
        }
    }
    return std::nullopt;
}

std::vector<QDateTime> occurrencesBetween(const YearlyAnchor& anchor, const QDate& from,
                                          const QDate& to) {
    std::vector<QDateTime> occurrences;
    if (!from.isValid() || !to.isValid() || from > to) {
        return occurrences;
    }
    // A lunar year's days reach into the next solar year, and before 1582 the engine's Julian
    // years are a few days off QDate's.
    const bool lunar = anchor.calendar == RepeatCalendar::Lunar;
    const int firstYear = std::max(anchor.year, from.year() - (lunar ? 2 : 0));
    const int lastYear = std::min(lastYearOf(anchor), to.year() + (lunar ? 1 : 0));
    for (int year = firstYear; year <= lastYear; ++year) {
        const std::optional<QDate> date = occurrenceDate(anchor, year);
        if (date && *date >= from && *date <= to) {
            occurrences.emplace_back(*date, anchor.timeOfDay);
        }
    }
    return occurrences;
}

int yearsAfterOrigin(const YearlyAnchor& anchor, const QDateTime& occurrence) {
    const std::optional<int> year = yearOf(anchor, occurrence.date());
    return year.value_or(occurrence.date().year()) - anchor.year;
}

QString lunarDateText(const QDate& solarDate) {
    const std::optional<CnCalendar::LunarDate> lunar = lunarDateOf(solarDate);
    if (!lunar) {
        return {};
    }
    // The calendar page writes a leap month without "月" (闰四); beside a date picker the
    // month reads in full (闰四月).
    const auto name = ChnCalendarUse::MonthNameTable[static_cast<std::size_t>(lunar->Month - 1)];
    return QStringLiteral("农历 ") + (lunar->Leap ? QStringLiteral("闰") : QString()) +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
           QStringLiteral("月") + QString::fromStdString(CnCalendar::LunarDayName(lunar->Day));
}

} // namespace YearlyRepeat
