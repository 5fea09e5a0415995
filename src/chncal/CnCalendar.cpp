#include "chncal/CnCalendar.h"

#include "chncal/LunarHistoryTable.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace CnCalendar {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 57.29577951308232;

// Gregorian fixed day numbers of the last Julian day; the lunar search decodes fixed days up to
// it with an approximation of the Julian calendar.
constexpr int kLastJulianFixedDay = 577735;
constexpr int kDaysPer400Years = 146097;

constexpr int kLunarYearCount = MaxLunarYear - MinLunarYear + 1;

double frac(double x) {
    return x - std::trunc(x);
}

// Halves go to the even neighbour, independently of the floating-point environment.
double roundHalfEven(double x) {
    const double r = std::floor(x);
    const double diff = x - r;
    if (diff > 0.5) {
        return r + 1.0;
    }
    if (diff < 0.5) {
        return r;
    }
    return std::fmod(r, 2.0) == 0.0 ? r : r + 1.0;
}

bool yearInDomain(int year) {
    return year >= -MaxAbsYear && year <= MaxAbsYear;
}

// The year before `year` in a count without a year zero.
int prevYear(int year) {
    return year == 1 ? -1 : year - 1;
}

int kindOf(int year, int month, int day) {
    if (year != 1582) {
        return year < 1582 ? 1 : 2;
    }
    if (month != 10) {
        return month < 10 ? 1 : 2;
    }
    if (day <= 4) {
        return 1;
    }
    return day <= 14 ? 0 : 2;
}

bool isDate(int year, int month, int day) {
    return yearInDomain(year) && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonthOf(year, month);
}

// A date that names a real day of the engine's calendar (the gap days do not).
bool isDay(int year, int month, int day) {
    return isDate(year, month, day) && kindOf(year, month, day) != 0;
}

int daysBeforeMonth(int year, int month) {
    int sum = 0;
    for (int m = 1; m < month; ++m) {
        sum += DaysInMonthOf(year, m);
    }
    return sum;
}

bool isGregorianLeap(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr std::string_view kLeapMonthData =
    "0c0080050010a0070030c0080050010a0070030c0080050020" // -849..-800
    "a0070030c0080050020a0070030c0090050020a0070030c009" // -799..-750
    "0050020a0060030c0060030c00900600c0c0060c00c00c00c0" // -749..-700
    "c000600c0c0006090303030006000c00c060c0006c00000c0c" // -699..-650
    "0c0060003030006c00009009c0090c00c00900030003090603" // -649..-600
    "0030c0c00060c00090c0060600c0030060c00c003006009060" // -599..-550
    "030c0060060c0090900c00090c0090c00c0060300060600030" // -549..-500
    "30c0c00030c0060030c0090060030c0090300c0080050020a0" // -499..-450
    "060030c0080050020b0070030c0090050010a0070030b00900" // -449..-400
    "60020a0070040c0080050020a0060030c0080050020b007003" // -399..-350
    "0c0090050010a0070030b0090060020a0070040c0080050020" // -349..-300
    "a0060030c0080050020b0070030c0090050000c00900909009" // -299..-250
    "00909009009009090090090900900900909009009090090090" // -249..-200
    "09090090090900900900909009009090090090900900900909" // -199..-150
    "00900909009009009090090090900900900909009009090060" // -149..-100
    "030c0090050010a0070030b008005001090070040c00800500" // -99..-50
    "20a0060030c0090040010a0060030c0090050010a0070030b0" // -49..0
    "080050010a008005001090050020a0060030c0080040010a00" // 1..50
    "60030c0090050010a0070030b0080050010a0070030b008005" // 51..100
    "001090070040c0080050020a0060030c0080040010a0060030" // 101..150
    "c0090050010a0070030b008005001090070040c0080050020a" // 151..200
    "0060030c0080040010a0060030c0090050010a0060030c0090" // 201..250
    "050010a0070030b008005001090070040c0080050020a00600" // 251..300
    "30c0080040010a0070030b0080050010a0070040c008005002" // 301..350
    "0a0060030c0080040010a0070030c0090050010a0070030b00" // 351..400
    "80050020a0060030c0080040010a0060030c0090050050020a" // 401..450
    "0060030c0090050010b0070030c0090050010a0070040c0080" // 451..500
    "040020a0060030c0080050020a0060030c0090050010a00700" // 501..550
    "30b0080040020a0060040c0090050020b0070030c00a005001" // 551..600
    "0a0070030b0090050020a0070030c0080040020a0060030c00" // 601..650
    "90050010a0070030c0090050030b007005001090050020a007" // 651..700
    "004001090060020c0070050c0090060030b0080040020a0060" // 701..750
    "030b0080040010a0060030b0080050010a0050040c00800500" // 751..800
    "10a0060030c0080050010b0070030c007005001090070030b0" // 801..850
    "070040020a0060030c0080040020a0070030b0090050010a00" // 851..900
    "60040c0080050020a0060040c0080050010b0070030c007005" // 901..950
    "001090070030c0080050020a0070030c0090050020a0070030" // 951..1000
    "c0090050020a0060040c0090050020a0060040c0090050010b" // 1001..1050
    "0070030c0080050030b007004001090060020c008004002090" // 1051..1100
    "060020a008004001090050030b0080040020a0060040b00800" // 1101..1150
    "40c00a0060020b007005001090060030b0070050020a006002" // 1151..1200
    "0c008004002090070030c008005002090070040c0080040020" // 1201..1250
    "a0060040b0090050010a0060030b0080050020a0060040c008" // 1251..1300
    "0050010b00700300108005001090070030c0080050020a0070" // 1301..1350
    "03001090050030a0070030b0090050020a0060040c00900500" // 1351..1400
    "30b0070040c0090050010c0070040c0080060020b00700400a" // 1401..1450
    "090060020b007003002090060020a005004001090050030b00" // 1451..1500
    "7004001090050040c0080040c00a0060020c00700500109006" // 1501..1550
    "0030b0070050020a0060020c008004002090060030b0080040" // 1551..1600
    "02090060030b0080040020a0060040b0080040010b0060030b" // 1601..1650
    "0070050010a006004002070050030800600400307005003070" // 1651..1700
    "06004003070050030800600400307005004090060040030700" // 1701..1750
    "500409006005002070050030a0060050030700500400206004" // 1751..1800
    "00206005003002060040030700500409006004003070050040" // 1801..1850
    "8007005003080050040a006005003070050040020600500308" // 1851..1900
    "00500400206005002070050040020600500307006004002070" // 1901..1950
    "050030800600400307005004080060040a0060050030800500" // 1951..2000
    "40020700500409006004002060050030b00600500207005003" // 2001..2050
    "08006004003070050040800600400307005004080060040020" // 2051..2100
    ;
static_assert(kLeapMonthData.size() == static_cast<std::size_t>(kLunarYearCount));

constexpr int leapDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c - 'a' + 10;
}

// From 1200 to 1499 the month count runs one ahead of the plain count of leap years.
constexpr std::array<int, kLunarYearCount> buildLeapCounts() {
    std::array<int, kLunarYearCount> counts{};
    int plain = 0;
    for (int i = 0; i < kLunarYearCount; ++i) {
        const int year = MinLunarYear + i;
        if (kLeapMonthData[static_cast<std::size_t>(i)] != '0') {
            ++plain;
        }
        counts[static_cast<std::size_t>(i)] = plain + (year >= 1200 && year <= 1499 ? 1 : 0);
    }
    return counts;
}

constexpr std::array<int, kLunarYearCount> kLeapCounts = buildLeapCounts();

// Lunations the new-moon series places one day off the published calendar.
struct DayCorrection {
    int year;
    int fromMonth, fromDay;
    int toMonth, toDay;
    int shift;
};

constexpr std::array<DayCorrection, 6> kDayCorrections = {{
    {1914, 11, 17, 12, 16, +1},
    {1916, 2, 3, 3, 3, +1},
    {1920, 11, 10, 12, 9, +1},
    {1924, 3, 5, 4, 3, +1},
    {2018, 11, 7, 12, 6, -1},
    {2057, 9, 28, 10, 27, -1},
}};

// Terms whose formula moment lies within a quarter hour of midnight on the wrong side.
struct TermShift {
    int year;
    int term;
    int shift;
};

constexpr std::array<TermShift, 12> kTermShifts = {{
    {1979, 2, -1},
    {2016, 13, +1},
    {2020, 23, +1},
    {2037, 18, +1},
    {2040, 19, +1},
    {2042, 14, +1},
    {2051, 6, -1},
    {2059, 4, +1},
    {2083, 3, -1},
    {2084, 6, -1},
    {2085, 1, -1},
    {2097, 9, +1},
}};

int termShiftOf(int year, int term) {
    if (term > 24) {
        year += 1;
        term -= 24;
    }
    for (const TermShift& s : kTermShifts) {
        if (s.year == year && s.term == term) {
            return s.shift;
        }
    }
    return 0;
}

// The day number the new-moon series and the month count run on. From the year 1 it is the
// fixed day. Before it the series places each date as if a year zero lay between -1 and 1, as
// the fixed-day formula does; that formula also gives some year ends there one number twice
// and skips one at others, so those years are counted day by day instead (the real day number
// less 365), which keeps the series' placement and gives every day a number of its own.
int seriesDay(int year, int month, int day) {
    return year > 0 ? FixedDay(year, month, day) : DaySerial(year, month, day) - 2 - 365;
}

int correctedLunarDay(int year, int month, int day, int lunarDay) {
    for (const DayCorrection& c : kDayCorrections) {
        if (year == c.year && CompareDates(year, month, day, c.year, c.fromMonth, c.fromDay) >= 0 &&
            CompareDates(year, month, day, c.year, c.toMonth, c.toDay) <= 0) {
            lunarDay += c.shift;
            if (lunarDay == 31) {
                lunarDay = 1;
            } else if (lunarDay == 0) {
                lunarDay = 30;
            }
            break;
        }
    }
    return lunarDay;
}

// The day within the lunar month, from the new moons around the date; the caller has checked
// the date.
int lunarDayOfDay(int year, int month, int day) {
    const double t = (year - 1899.5) / 100.0;
    const double k0 = std::floor((year - 1900) * 12.3685);
    const double f = MeanArgument(k0, t, 0.0, 0.75933, 0.0002172, 0.000000155);
    const double sunAnomaly =
        MeanArgument(k0, t, 0.08084821133, 359.2242 / kDegreesPerRadian,
                     0.0000333 / kDegreesPerRadian, 0.00000347 / kDegreesPerRadian);
    const double moonAnomaly =
        MeanArgument(k0, t, 0.07171366128, 306.0253 / kDegreesPerRadian,
                     -0.0107306 / kDegreesPerRadian, -0.00001236 / kDegreesPerRadian);
    const double latitude =
        MeanArgument(k0, t, 0.08519585128, 21.2964 / kDegreesPerRadian,
                     0.0016528 / kDegreesPerRadian, 0.00000239 / kDegreesPerRadian);
    // 8/24 moves the moments to local time UTC+8.
    const double base = f + 0.53058868 * k0 - 0.000837 * t + 8.0 / 24.0 + 0.5;
    const double sunCoefficient = 0.1734 - 0.000393 * t;
    const double lunationBase = 29.0 * k0 + 693595.0;
    const int n = seriesDay(year, month, day);

    int lunarDay = -1;
    // Only new moons (whole v) decide the day; the full moons between them never do.
    for (int v = -1; v <= 13; ++v) {
        const double a = sunAnomaly + 0.507984293 * v;
        const double c = moonAnomaly + 6.73377553 * v;
        const double g = latitude + 6.818486628 * v;
        const double w =
            28.0 * v + lunationBase + (1.53058868 * v + base) + sunCoefficient * std::sin(a) -
            0.4068 * std::sin(c) + 0.0021 * std::sin(2.0 * a) + 0.0161 * std::sin(2.0 * c) +
            0.0104 * std::sin(2.0 * g) - 0.0074 * std::sin(a - c) - 0.0051 * std::sin(a + c);
        const double since = n - std::floor(w);
        if (since >= 0.0 && since <= 29.0) {
            // Later new moons overwrite earlier ones: the last one on or before the date wins.
            lunarDay = static_cast<int>(since) + 1;
        }
    }
    if (lunarDay < 1) {
        return -1;
    }
    return correctedLunarDay(year, month, day, lunarDay);
}

bool inLunarSpan(int year) {
    return year >= MinLunarYear && year <= MaxLunarYear;
}

// The leap month the month count of the new-moon series works with (-1 outside the span).
int tableLeapMonth(int year) {
    if (!inLunarSpan(year)) {
        return -1;
    }
    return leapDigit(kLeapMonthData[static_cast<std::size_t>(year - MinLunarYear)]);
}

int wrapMonth(double m) {
    return static_cast<int>(roundHalfEven(12.0 * frac((m - 1.0) / 12.0) + 1.0));
}

// The lunar month of a date whose lunar day is already known; 0 when the count gives no month
// (dates before the epoch).
int lunarMonthOfDay(int year, int month, int day, int lunarDay) {
    static const int epoch = FixedDay(-849, 1, 21);
    const double lunations = (seriesDay(year, month, day) - epoch - lunarDay) / 29.530588;
    int n = static_cast<int>(roundHalfEven(lunations)) - LeapCountThrough(year);
    // Fixed corrections for the early centuries, where the historical month count departs from
    // the mean one.
    if (year <= 240) {
        n += 1;
    }
    if (year <= 237) {
        n -= 1;
    }
    if (year < 24) {
        n += 1;
    }
    if (year < 9) {
        n -= 1;
    }
    if (year <= -255) {
        n += 1;
    }
    if (year <= -256) {
        n += 2;
    }
    if (year <= -722) {
        n += 1;
    }
    n -= 3;

    int m = static_cast<int>(roundHalfEven(12.0 * frac(n / 12.0) + 1.0));
    int result = 0;
    if (tableLeapMonth(year - 1) == m && month == 1 && day < lunarDay) {
        // A January date still inside the previous year's leap month.
        result = -m;
    } else {
        const int leap = tableLeapMonth(year);
        if (leap == m) {
            // In January and February a count equal to this year's leap month usually means the
            // last months of the previous lunar year, except for a leap first month, which can
            // begin in February (1640, 1659).
            result = (month >= 3 || leap == 12 || leap == 1) ? -m : m + 1;
        } else {
            if (leap > m || (month < m && leap > 0)) {
                m += 1;
            }
            result = wrapMonth(m);
        }
    }
    if (result == 0 || std::abs(result) > 12) {
        return 0;
    }
    return result;
}

// ---- Months of the new-moon series (the lunar years 1900 to 2100) --------------------------

// Lunar month, day and leap flag of a date from the new-moon series and the month count.
bool seriesMonthDay(int year, int month, int day, int& lunarMonth, int& lunarDay, bool& leap) {
    if (!inLunarSpan(year) || !isDay(year, month, day)) {
        return false;
    }
    const int d = lunarDayOfDay(year, month, day);
    if (d < 1 || d > 30) {
        return false;
    }
    const int m = lunarMonthOfDay(year, month, day, d);
    if (m == 0) {
        return false;
    }
    lunarMonth = std::abs(m);
    lunarDay = d;
    leap = m < 0;
    return true;
}

// The solar date of a lunar date of the series: a bisection over the fixed days of the lunar
// year's calendar year and the next one. The probes only see month and day, so the lunar year
// is tracked from the month wrapping around as the search moves up or down.
bool seriesLunarToSolar(const LunarDate& target, int& year, int& month, int& day) {
    if (target.Leap && std::max(tableLeapMonth(target.Year), 0) != target.Month) {
        return false;
    }
    enum class Direction { None, Up, Down };
    int low = FixedDay(target.Year, 1, 1);
    int high = FixedDay(target.Year + 1, 12, 31);
    int trackedYear = target.Year;
    Direction direction = Direction::None;
    int previousMonth = 0;
    bool last = false;
    int probes = 0;
    while (high > low) {
        if (++probes > 100) {
            return false;
        }
        int mid = (low + high) / 2;
        if (last) {
            mid += 1;
        }
        if (high - low == 1) {
            last = true;
        }
        int py = 0;
        int pm = 0;
        int pd = 0;
        int probeMonth = 0;
        int probeDay = 0;
        bool probeLeap = false;
        int order = 0;
        const bool decoded = DateFromFixedDay(mid, py, pm, pd);
        if (decoded && seriesMonthDay(py, pm, pd, probeMonth, probeDay, probeLeap)) {
            if (direction == Direction::Up && probeMonth < previousMonth) {
                ++trackedYear;
            } else if (direction == Direction::Down && probeMonth > previousMonth) {
                --trackedYear;
            }
            order = CompareLunarDates({trackedYear, probeMonth, probeDay, probeLeap}, target);
            previousMonth = probeMonth;
        } else {
            // A probe the conversion cannot take lies beyond one end of the span: past its end
            // it is later than any target, before its start earlier. The month it stands for
            // must not look like a wrap on the next probe.
            const bool beyondEnd = decoded && py > MaxLunarYear;
            order = beyondEnd ? 1 : -1;
            previousMonth = beyondEnd ? 13 : 0;
        }
        if (order < 0) {
            low = mid;
            direction = Direction::Up;
        } else if (order == 0) {
            year = py;
            month = pm;
            day = pd;
            return true;
        } else {
            high = mid;
            direction = Direction::Down;
        }
    }
    return false;
}

// The solar date of each lunar New Year of the series, found once: the search behind it costs
// about twenty full conversions. Each slot is 0 until known; then bit 63 is set, bit 62 tells
// whether the search succeeded, and the date is packed below.
constexpr int kSeriesFirstYear = LunarHistory::kLastYear + 1;
std::array<std::atomic<std::uint64_t>, MaxLunarYear - kSeriesFirstYear + 1> NewYearCache{};

constexpr std::uint64_t kKnownBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kFoundBit = std::uint64_t{1} << 62;

bool newYearOf(int lunarYear, int& year, int& month, int& day) {
    auto& slot = NewYearCache[static_cast<std::size_t>(lunarYear - kSeriesFirstYear)];
    std::uint64_t packed = slot.load(std::memory_order_relaxed);
    if ((packed & kKnownBit) == 0) {
        int y = 0;
        int m = 0;
        int d = 0;
        packed = kKnownBit;
        if (seriesLunarToSolar({lunarYear, 1, 1, false}, y, m, d)) {
            packed |= kFoundBit | (std::uint64_t{static_cast<std::uint32_t>(y)} << 16) |
                      (std::uint64_t{static_cast<std::uint32_t>(m)} << 8) |
                      std::uint64_t{static_cast<std::uint32_t>(d)};
        }
        slot.store(packed, std::memory_order_relaxed);
    }
    if ((packed & kFoundBit) == 0) {
        return false;
    }
    year = static_cast<std::int32_t>(static_cast<std::uint32_t>(packed >> 16));
    month = static_cast<int>((packed >> 8) & 0xff);
    day = static_cast<int>(packed & 0xff);
    return true;
}

bool seriesLunarDate(int year, int month, int day, LunarDate& result) {
    LunarDate r{year, 0, 0, false};
    if (!seriesMonthDay(year, month, day, r.Month, r.Day, r.Leap)) {
        return false;
    }
    int ny = 0;
    int nm = 0;
    int nd = 0;
    if (newYearOf(year, ny, nm, nd) && CompareDates(year, month, day, ny, nm, nd) < 0) {
        r.Year = prevYear(year);
    }
    result = r;
    return true;
}

// ---- Day numbers back to dates -------------------------------------------------------------

// The date of a real day number (the fixed day from the year 1 on): Julian up to 1582-10-04,
// Gregorian from 1582-10-15. Exact, unlike DateFromFixedDay, and also before the year 1.
void dateOfDayNumber(int number, int& year, int& month, int& day) {
    const std::int64_t julianDay = std::int64_t{number} + 1721425;
    std::int64_t y = 0;
    std::int64_t mm = 0;
    std::int64_t e = 0;
    if (number <= kLastJulianFixedDay) {
        const std::int64_t c = julianDay + 32082;
        const std::int64_t d = (4 * c + 3) / 1461;
        e = c - 1461 * d / 4;
        mm = (5 * e + 2) / 153;
        y = d - 4800 + mm / 10;
    } else {
        const std::int64_t a = julianDay + 32044;
        const std::int64_t b = (4 * a + 3) / 146097;
        const std::int64_t c = a - 146097 * b / 4;
        const std::int64_t d = (4 * c + 3) / 1461;
        e = c - 1461 * d / 4;
        mm = (5 * e + 2) / 153;
        y = 100 * b + d - 4800 + mm / 10;
    }
    day = static_cast<int>(e - (153 * mm + 2) / 5 + 1);
    month = static_cast<int>(mm + 3 - 12 * (mm / 10));
    year = static_cast<int>(y <= 0 ? y - 1 : y); // no year zero
}

// ---- The months of one lunar year ----------------------------------------------------------

struct YearMonths {
    int newYear = 0;     // day number of the first day of month 1
    int nextNewYear = 0; // the same for the following lunar year
    // Bit i: month i, in order, has 30 days (else 29). The last month runs to nextNewYear.
    std::uint32_t longMonths = 0;
    int leapMonth = 0;    // the month with a leap month after it, 0 for none
    int skippedMonth = 0; // a month number the year leaves out (calendar reforms), 0 for none
};

int monthCount(const YearMonths& months) {
    return 12 - (months.skippedMonth != 0 ? 1 : 0) + (months.leapMonth != 0 ? 1 : 0);
}

// Month `index` (0-based) of the year: the numbers 1..12 without the skipped one, the leap
// month right after its number. Month 0 when the year has fewer months.
LunarDate monthAt(const YearMonths& months, int lunarYear, int index) {
    for (int number = 1; number <= 12; ++number) {
        if (number != months.skippedMonth && index-- == 0) {
            return {lunarYear, number, 1, false};
        }
        if (number == months.leapMonth && index-- == 0) {
            return {lunarYear, number, 1, true};
        }
    }
    return {lunarYear, 0, 0, false};
}

// The lunar date of day number `number`, which lies in the lunar year.
bool lunarDateIn(const YearMonths& months, int lunarYear, int number, LunarDate& result) {
    const int count = monthCount(months);
    int start = months.newYear;
    for (int i = 0; i < count && start <= number; ++i) {
        const int end = i + 1 < count ? start + 29 + static_cast<int>((months.longMonths >> i) & 1U)
                                      : months.nextNewYear;
        if (number < end) {
            result = monthAt(months, lunarYear, i);
            result.Day = number - start + 1;
            return true;
        }
        start = end;
    }
    return false;
}

// The day number of a lunar date of the year; -1 when the year has no such day.
int dayNumberIn(const YearMonths& months, const LunarDate& target) {
    const int count = monthCount(months);
    int start = months.newYear;
    for (int i = 0; i < count; ++i) {
        const int end = i + 1 < count ? start + 29 + static_cast<int>((months.longMonths >> i) & 1U)
                                      : months.nextNewYear;
        const LunarDate month = monthAt(months, target.Year, i);
        if (month.Month == target.Month && month.Leap == target.Leap) {
            return target.Day <= end - start ? start + target.Day - 1 : -1;
        }
        start = end;
    }
    return -1;
}

// ---- The published months of the years 1 to 1899 ------------------------------------------

// The real day number of a date, the fixed day from the year 1 on and counted on without a
// year zero before it (1 January of the year 1 is -1, 31 December of the year -1 is -2).
int dayNumberOf(int year, int month, int day) {
    return year > 0 ? FixedDay(year, month, day) : DaySerial(year, month, day) - 2;
}

int preludeStart(std::size_t index) {
    return FixedDay(1, 1, 1) + LunarHistory::kPreludeStarts[index];
}

// The first day the published months cover: the first day of the last months of the year -1,
// which lead into the first lunar year.
int publishedFirstDay() {
    return preludeStart(0);
}

int publishedNewYear(int lunarYear) {
    if (lunarYear == kSeriesFirstYear) {
        return FixedDay(kSeriesFirstYear, 1, LunarHistory::kFollowingNewYearDayOfYear);
    }
    const std::uint32_t word =
        LunarHistory::kYears[static_cast<std::size_t>(lunarYear - LunarHistory::kFirstYear)];
    return FixedDay(lunarYear, 1, 1) + static_cast<int>(word & 0x7fU) - LunarHistory::kNewYearBias;
}

// The published months of a lunar year 1..1899.
YearMonths publishedYear(int lunarYear) {
    const std::uint32_t word =
        LunarHistory::kYears[static_cast<std::size_t>(lunarYear - LunarHistory::kFirstYear)];
    return {publishedNewYear(lunarYear), publishedNewYear(lunarYear + 1), (word >> 7) & 0xfffU,
            static_cast<int>((word >> 19) & 0xfU), static_cast<int>((word >> 23) & 0xfU)};
}

// A day from publishedFirstDay() to 1899-12-31; `year` is its solar year.
LunarDate publishedLunarDate(int year, int number) {
    if (number < publishedNewYear(LunarHistory::kFirstYear)) {
        std::size_t index = 0;
        while (index + 1 < LunarHistory::kPreludeStarts.size() &&
               number >= preludeStart(index + 1)) {
            ++index;
        }
        return {-1, LunarHistory::kPreludeFirstMonth + static_cast<int>(index),
                number - preludeStart(index) + 1, false};
    }
    int lunarYear = year;
    if (number >= publishedNewYear(year + 1)) {
        lunarYear = year + 1; // a year that began in late December (9 .. 23)
    } else if (number < publishedNewYear(year)) {
        lunarYear = year - 1;
    }
    LunarDate result;
    lunarDateIn(publishedYear(lunarYear), lunarYear, number, result);
    return result;
}

// The day number of a published lunar date, if the months have such a day.
std::optional<int> publishedDayNumber(const LunarDate& target) {
    if (target.Year < -1 || target.Year == 0 || target.Year > LunarHistory::kLastYear) {
        return std::nullopt;
    }
    if (target.Year == -1) {
        if (target.Month < LunarHistory::kPreludeFirstMonth || target.Leap) {
            return std::nullopt;
        }
        const auto index =
            static_cast<std::size_t>(target.Month - LunarHistory::kPreludeFirstMonth);
        const int start = preludeStart(index);
        const int end = index + 1 < LunarHistory::kPreludeStarts.size()
                            ? preludeStart(index + 1)
                            : publishedNewYear(LunarHistory::kFirstYear);
        return target.Day <= end - start ? std::optional<int>(start + target.Day - 1)
                                         : std::nullopt;
    }
    const int number = dayNumberIn(publishedYear(target.Year), target);
    return number >= 0 ? std::optional<int>(number) : std::nullopt;
}

// ---- The months before the year 1, from the new-moon series --------------------------------

// The series' day numbers before the year 1 (see seriesDay): the real day number less 365.
int earlyDay(int year, int month, int day) {
    return dayNumberOf(year, month, day) - 365;
}

void dateOfEarlyDay(int number, int& year, int& month, int& day) {
    dateOfDayNumber(number + 365, year, month, day);
}

// Before the year 1 the month count gives a lunation different numbers on different days and
// one number to two lunations, so the months are taken whole: each lunation of the series is
// one month, named by the count on its twentieth day, and a name the year has already given
// makes it a leap month (or the next number). A month number lower than the one before begins
// a lunar year.
struct EarlyMonths {
    std::vector<int> starts; // early day number of each month's first day, and then the end
    std::vector<LunarDate> months;
};

EarlyMonths buildEarlyMonths() {
    auto lunarDayAt = [](int number) {
        int y = 0;
        int m = 0;
        int d = 0;
        dateOfEarlyDay(number, y, m, d);
        return lunarDayOfDay(y, m, d);
    };
    const int first = earlyDay(MinLunarYear, 1, 1);
    // The series' placement ends with the year -1, and the published months begin before that.
    const int end = std::min(earlyDay(1, 1, 1), publishedFirstDay() - 365);

    EarlyMonths early;
    for (int start = first - (lunarDayAt(first) - 1); start < end;) {
        early.starts.push_back(start);
        int next = start + 29;
        if (next < end && lunarDayAt(next) != 1) {
            ++next;
        }
        start = next;
    }
    early.starts.push_back(end);

    // The months first, their year left 0 until the years' extents are known.
    std::vector<std::size_t> yearStarts; // index of each year's first month
    LunarDate previous{0, 0, 0, false};
    for (std::size_t i = 0; i + 1 < early.starts.size(); ++i) {
        const int sample =
            std::max(first, std::min({early.starts[i] + 19, early.starts[i + 1] - 1, end - 1}));
        int y = 0;
        int m = 0;
        int d = 0;
        dateOfEarlyDay(sample, y, m, d);
        const int counted = lunarMonthOfDay(y, m, d, lunarDayOfDay(y, m, d));
        LunarDate month{0, std::abs(counted), 1, counted < 0};
        bool newYear = i == 0 || month.Month < previous.Month;
        if (!newYear && month.Month == previous.Month) {
            if (!previous.Leap) {
                month.Leap = true;
            } else if (month.Month == 12) {
                newYear = true;
                month = {0, 1, 1, false};
            } else {
                month = {0, previous.Month + 1, 1, false};
            }
        }
        if (newYear) {
            yearStarts.push_back(i);
        }
        early.months.push_back(month);
        previous = month;
    }
    // Before the year 1 the series' lunations do not fall on the published months, so these
    // take over in the middle of one. The lunation cut short there is named to lead into the
    // first published month: the number before it, as a leap month after a month of that number.
    const int leadIn = LunarHistory::kPreludeFirstMonth - 1;
    if (early.months.size() > 1 && early.months.back().Month > leadIn) {
        const LunarDate& before = early.months[early.months.size() - 2];
        early.months.back() = {0, leadIn, 1, before.Month == leadIn && !before.Leap};
    }
    yearStarts.push_back(early.months.size());

    // A year is numbered as the solar year its middle day falls in. The count's changes of
    // numbering leave a year of only a few months where they happen (256 BC); the years are
    // numbered back from the year -1, so that one pushes the years before it one number down.
    int next = 1;
    for (std::size_t k = yearStarts.size() - 1; k-- > 0;) {
        const int from = early.starts[yearStarts[k]];
        const int to = early.starts[yearStarts[k + 1]];
        int y = 0;
        int m = 0;
        int d = 0;
        dateOfEarlyDay(from + (to - from) / 2, y, m, d);
        const int year = std::min(y, prevYear(next));
        for (std::size_t i = yearStarts[k]; i < yearStarts[k + 1]; ++i) {
            early.months[i].Year = year;
        }
        next = year;
    }
    return early;
}

const EarlyMonths& earlyMonths() {
    static const EarlyMonths months = buildEarlyMonths();
    return months;
}

// A day of the years -849 .. -1 or of the year 1 before the published months.
bool earlyLunarDate(int number, LunarDate& result) {
    const EarlyMonths& early = earlyMonths();
    const auto after = std::upper_bound(early.starts.begin(), early.starts.end(), number);
    if (after == early.starts.begin() || after == early.starts.end()) {
        return false;
    }
    const auto index = static_cast<std::size_t>(after - early.starts.begin() - 1);
    result = early.months[index];
    result.Day = number - early.starts[index] + 1;
    return true;
}

// The early day number of a lunar date before the published months, if there is such a day.
std::optional<int> earlyDayNumber(const LunarDate& target) {
    const EarlyMonths& early = earlyMonths();
    const LunarDate month{target.Year, target.Month, 1, target.Leap};
    const auto found = std::lower_bound(
        early.months.begin(), early.months.end(), month,
        [](const LunarDate& a, const LunarDate& b) { return CompareLunarDates(a, b) < 0; });
    if (found == early.months.end() || CompareLunarDates(*found, month) != 0) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(found - early.months.begin());
    const int number = early.starts[index] + target.Day - 1;
    if (number < earlyDay(MinLunarYear, 1, 1) || number >= early.starts[index + 1]) {
        return std::nullopt;
    }
    return number;
}

// ---- Any date of the span ------------------------------------------------------------------

// The lunar date of a day of the span, from the months that cover it.
bool lunarDateOf(int year, int month, int day, LunarDate& result) {
    if (!inLunarSpan(year) || !isDay(year, month, day)) {
        return false;
    }
    if (year >= kSeriesFirstYear) {
        return seriesLunarDate(year, month, day, result);
    }
    const int number = dayNumberOf(year, month, day);
    if (number >= publishedFirstDay()) {
        result = publishedLunarDate(year, number);
        return true;
    }
    return earlyLunarDate(number - 365, result);
}

} // namespace

const std::string_view LeapMonthTable = kLeapMonthData;

const std::array<std::string, 60>& CycleTable() {
    static const std::array<std::string, 60> table = [] {
        std::array<std::string, 60> t;
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i] = std::string(StemTable[i % 10]) + std::string(BranchTable[i % 12]);
        }
        return t;
    }();
    return table;
}

// ---- Day arithmetic ------------------------------------------------------------------------

int CalendarKind(int year, int month, int day) {
    return isDate(year, month, day) ? kindOf(year, month, day) : 0;
}

bool IsLeapYearOf(int year) {
    if (!yearInDomain(year)) {
        return false;
    }
    if (year > 1582) {
        return isGregorianLeap(year);
    }
    return year >= 0 ? year % 4 == 0 : (year - 3) % 4 == 0;
}

int DaysInMonthOf(int year, int month) {
    if (!yearInDomain(year) || month < 1 || month > 12) {
        return 0;
    }
    switch (month) {
    case 2:
        return IsLeapYearOf(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

int DayOfYearOf(int year, int month, int day) {
    return isDate(year, month, day) ? daysBeforeMonth(year, month) + day : 0;
}

int DaySerial(int year, int month, int day) {
    if (!isDay(year, month, day)) {
        return 0;
    }
    const int p = (year > 0 ? (year - 1) * 365 : year * 365) + daysBeforeMonth(year, month) + day;
    int q = 0;
    if (year < 0) {
        q = -((3 - year) / 4);
    } else {
        int c = 0;
        if (kindOf(year, month, day) == 2) {
            c = year <= 1700 ? 10 : 11 + (year - 1701) / 100 - (year - 1601) / 400;
        }
        q = (year - 1) / 4 - c;
    }
    return p + q;
}

int FixedDay(int year, int month, int day) {
    if (!yearInDomain(year) || month < 1 || month > 12 || day < 0 ||
        day > DaysInMonthOf(year, month)) {
        return 0;
    }
    const int kind = kindOf(year, month, day);
    if (kind == 0) {
        return 0;
    }
    const int e = year - 1;
    const int f = 365 * e + e / 4;
    const int dayOfYear = daysBeforeMonth(year, month) + day;
    if (kind == 1) {
        return dayOfYear + f - 2;
    }
    return dayOfYear + f + e / 400 - e / 100;
}

bool DateFromFixedDay(int fixedDay, int& year, int& month, int& day) {
    if (fixedDay < 0) {
        return false;
    }
    int n = fixedDay;
    if (n <= kLastJulianFixedDay) {
        n = n + n / 146000 - n / 36500 + 2;
    }
    int y = 1;
    // Whole 400-year cycles first: the year-by-year walk would take every one of them.
    if (n > kDaysPer400Years) {
        const int cycles = (n - 1) / kDaysPer400Years;
        n -= cycles * kDaysPer400Years;
        y += cycles * 400;
    }
    // Each year is measured by its own length: stopping on the length of the year just passed
    // would leave day 366 in a common year after a leap year, which no month takes.
    for (int length = isGregorianLeap(y) ? 366 : 365; n > length;
         length = isGregorianLeap(y) ? 366 : 365) {
        n -= length;
        ++y;
    }
    for (int m = 1; m <= 12; ++m) {
        const int days = DaysInMonthOf(y, m);
        if (days == 0) {
            return false;
        }
        if (n <= days) {
            year = y;
            month = m;
            day = n;
            return true;
        }
        n -= days;
    }
    return false;
}

int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2) {
    if (year1 != year2) {
        return year1 > year2 ? 1 : -1;
    }
    if (month1 != month2) {
        return month1 > month2 ? 1 : -1;
    }
    if (day1 != day2) {
        return day1 > day2 ? 1 : -1;
    }
    return 0;
}

// ---- Sexagenary cycle and names ------------------------------------------------------------

int CycleFromStemBranch(int stem, int branch) {
    if (stem < 0 || stem > 9 || branch < 0 || branch > 11) {
        return -1;
    }
    for (int n = stem; n <= stem + 60; n += 10) {
        if (n % 12 == branch) {
            return n;
        }
    }
    return -1;
}

bool CycleToStemBranch(int cycle, int& stem, int& branch) {
    if (cycle < 0 || cycle > 59) {
        stem = -1;
        branch = -1;
        return false;
    }
    stem = cycle % 10;
    branch = cycle % 12;
    return true;
}

namespace {
template <typename Table> std::string tableText(const Table& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        return {};
    }
    return std::string(table[static_cast<std::size_t>(index)]);
}
} // namespace

std::string CycleName(int index) {
    return tableText(CycleTable(), index);
}
std::string AnimalName(int index) {
    return tableText(AnimalTable, index);
}
std::string SolarTermName(int index) {
    return tableText(SolarTermTable, index);
}
std::string StarSignName(int index) {
    return tableText(StarSignTable, index);
}

std::string LunarDayName(int day) {
    if (day < 1 || day > 30) {
        return {};
    }
    switch (day) {
    case 10:
        return "初十";
    case 20:
        return "二十";
    case 30:
        return "三十";
    default:
        return std::string(DayPrefixTable[static_cast<std::size_t>(day / 10)]) +
               std::string(DigitTable[static_cast<std::size_t>(day % 10)]);
    }
}

int YearCycleOfNumber(int year) {
    if (!yearInDomain(year)) {
        return -1;
    }
    int r = (year > 0 ? year - 4 : year - 3) % 60;
    return r < 0 ? r + 60 : r;
}

int YearBranchOfNumber(int year) {
    if (!yearInDomain(year)) {
        return -1;
    }
    int r = (year > 0 ? year - 4 : year - 3) % 12;
    return r < 0 ? r + 12 : r;
}

int YearCycleOfDate(int year, int month, int day) {
    if (!isDate(year, month, day)) {
        return -1;
    }
    const bool beforeSpring =
        DayOfYearOf(year, month, day) < std::floor(SolarTermDayOfYear(year, 3));
    return YearCycleOfNumber(beforeSpring ? prevYear(year) : year);
}

int DayCycle(int year, int month, int day) {
    if (!isDay(year, month, day)) {
        return -1;
    }
    int r = (DaySerial(year, month, day) + 12) % 60;
    return r < 0 ? r + 60 : r;
}

bool SolarMonthOf(int year, int month, int day, int& cycleYear, int& solarMonth) {
    if (!isDate(year, month, day)) {
        return false;
    }
    const int n = DayOfYearOf(year, month, day);
    if (n < std::floor(SolarTermDayOfYear(year, 3))) {
        // Before 立春 the date belongs to the months 11 and 12 of the previous cycle year; 小寒
        // of this calendar year separates them.
        cycleYear = prevYear(year);
        solarMonth = n < std::floor(SolarTermDayOfYear(year, 1)) ? 11 : 12;
        return true;
    }
    cycleYear = year;
    solarMonth = 1;
    for (int i = 2; i <= 12; ++i) {
        if (n < std::floor(SolarTermDayOfYear(year, 2 * i + 1))) {
            break;
        }
        solarMonth = i;
    }
    return true;
}

int MonthCycle(int year, int month, int day) {
    int cycleYear = 0;
    int solarMonth = 0;
    if (!SolarMonthOf(year, month, day, cycleYear, solarMonth)) {
        return -1;
    }
    const int yearCycle = YearCycleOfNumber(cycleYear);
    if (yearCycle < 0) {
        return -1;
    }
    // The stem of the first month follows from the stem of the year (甲/己 years begin with 丙寅).
    static constexpr std::array<int, 5> kFirstStem = {2, 4, 6, 8, 0};
    int stem = kFirstStem[static_cast<std::size_t>(yearCycle % 10 % 5)] + (solarMonth - 1) % 10;
    if (stem >= 10) {
        stem -= 10;
    }
    const int branch = (solarMonth + 1) % 12;
    return CycleFromStemBranch(stem, branch);
}

// ---- Solar terms and star signs ------------------------------------------------------------

double SolarTermDayOfYear(int year, int term) {
    if (!yearInDomain(year) || term < 1 || term > 48) {
        return 0.0;
    }
    const int y = year <= 0 ? year + 1 : year;
    const double t = y - 100.0;
    const double a =
        (365.2423112 - 6.4e-14 * t * t - 3.047e-8 * t) * y + 15.218427 * term + 1721050.71301;
    const double b = 0.0003 * y - 0.372781384 - 0.2617913325 * term;
    const double f =
        (1.945 * std::sin(b) - 0.01206 * std::sin(2.0 * b)) * (1.048994 - 2.583e-5 * y);
    const double h = -0.0018 * std::sin(2.313908653 * y - 0.439822951 - 3.0443 * term);
    const double moment = a + f + h - FixedDay(y, 1, 0) - 1721425.0;

    switch (termShiftOf(year, term)) {
    case 1:
        return std::floor(moment) + 1.0; // 00:00 of the next day
    case -1:
        return std::floor(moment) - 1.0 + 1439.0 / 1440.0; // 23:59 of the day before
    default:
        return moment;
    }
}

bool SolarTermDate(int year, int slot, int& month, int& day, int& hour, int& minute) {
    if (slot < 0 || slot > 23 || !yearInDomain(year)) {
        return false;
    }
    double c = SolarTermDayOfYear(year, slot + 1);
    if (c < 1.0) {
        return false; // the term falls in the previous calendar year
    }
    int m = 0;
    for (int candidate = 1; candidate <= 12; ++candidate) {
        const int days = DaysInMonthOf(year, candidate);
        if (std::floor(c) <= days) {
            m = candidate;
            break;
        }
        c -= days;
    }
    if (m == 0) {
        return false;
    }
    const int d = static_cast<int>(std::floor(c));
    const double part = c - d;
    int h = std::min(23, static_cast<int>(std::floor(24.0 * part)));
    int mi = static_cast<int>(roundHalfEven(60.0 * (24.0 * part - h)));
    if (mi == 60) {
        // Carry into the hour, but never past midnight: the whole part has fixed the day.
        if (h < 23) {
            ++h;
            mi = 0;
        } else {
            mi = 59;
        }
    }
    month = m;
    day = d;
    hour = h;
    minute = mi;
    return true;
}

int StarSignOf(int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonthOf(2000, month)) {
        return -1;
    }
    static constexpr std::array<int, 12> kThresholds = {120, 219, 321, 421,  521,  622,
                                                        723, 823, 923, 1023, 1123, 1222};
    const int v = 100 * month + day;
    int sign = 9; // 摩羯 before 0120
    for (std::size_t i = 0; i < kThresholds.size(); ++i) {
        if (v >= kThresholds[i]) {
            sign = static_cast<int>((i + 10) % 12);
        }
    }
    return sign;
}

// ---- Lunar calendar ------------------------------------------------------------------------

int LeapMonthOf(int year) {
    if (!inLunarSpan(year)) {
        return -1;
    }
    if (year >= kSeriesFirstYear) {
        return tableLeapMonth(year);
    }
    if (year >= LunarHistory::kFirstYear) {
        return publishedYear(year).leapMonth;
    }
    for (const LunarDate& month : earlyMonths().months) {
        if (month.Year == year && month.Leap) {
            return month.Month;
        }
    }
    return 0;
}

int LeapCountThrough(int year) {
    if (!inLunarSpan(year)) {
        return -1;
    }
    return kLeapCounts[static_cast<std::size_t>(year - MinLunarYear)];
}

double MeanArgument(double k, double t, double rate, double phase, double c2, double c3) {
    return 2.0 * kPi * frac(rate * k) + phase - c2 * t * t - c3 * t * t * t;
}

int LunarDayOf(int year, int month, int day) {
    LunarDate r;
    return lunarDateOf(year, month, day, r) ? r.Day : -1;
}

int LunarMonthOf(int year, int month, int day) {
    LunarDate r;
    if (!lunarDateOf(year, month, day, r)) {
        return 0;
    }
    return r.Leap ? -r.Month : r.Month;
}

bool LunarMonthDay(int year, int month, int day, int& lunarMonth, int& lunarDay, bool& leap) {
    LunarDate r;
    if (!lunarDateOf(year, month, day, r)) {
        return false;
    }
    lunarMonth = r.Month;
    lunarDay = r.Day;
    leap = r.Leap;
    return true;
}

bool SolarToLunar(int year, int month, int day, LunarDate& result) {
    return lunarDateOf(year, month, day, result);
}

bool LunarToSolar(int lunarYear, int lunarMonth, int lunarDay, bool leap, int& year, int& month,
                  int& day) {
    // The months before the year 1 are numbered back from it, so the first days of the span can
    // belong to a lunar year before it.
    if (lunarYear < MinLunarYear - 1 || lunarYear > MaxLunarYear || lunarYear == 0 ||
        lunarMonth < 1 || lunarMonth > 12 || lunarDay < 1 || lunarDay > 30) {
        return false;
    }
    const LunarDate target{lunarYear, lunarMonth, lunarDay, leap};
    if (lunarYear >= kSeriesFirstYear) {
        return seriesLunarToSolar(target, year, month, day);
    }
    if (const std::optional<int> number = publishedDayNumber(target)) {
        dateOfDayNumber(*number, year, month, day);
        return true;
    }
    if (const std::optional<int> number = earlyDayNumber(target)) {
        dateOfEarlyDay(*number, year, month, day);
        return true;
    }
    return false;
}

int CompareLunarDates(const LunarDate& first, const LunarDate& second) {
    if (first.Year != second.Year) {
        return first.Year > second.Year ? 1 : -1;
    }
    if (first.Month != second.Month) {
        return first.Month > second.Month ? 1 : -1;
    }
    if (first.Leap != second.Leap) {
        return first.Leap ? 1 : -1;
    }
    if (first.Day != second.Day) {
        return first.Day > second.Day ? 1 : -1;
    }
    return 0;
}

} // namespace CnCalendar
