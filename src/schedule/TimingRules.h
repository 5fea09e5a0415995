#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

// What a reminder's timing columns mean: unit arithmetic on the two sort-key scales, the
// two moment texts, and the due rule. Intervals are carried in 64 bits: 9999 days fits.
namespace TimingRules {

inline const QString kSecond = QStringLiteral("秒");
inline const QString kMinute = QStringLiteral("分");
inline const QString kHour = QStringLiteral("时");
inline const QString kDay = QStringLiteral("天");

// Shown where a unit outside the four is typed; nothing is written then.
inline const QString kBadUnitMessage = QStringLiteral("间隔单位只能是秒、分、时或天！");

// The unit is compared exactly; callers trim where they trim.
bool isIntervalUnit(const QString& unit);

// Repeat period: number times the unit's milliseconds. No result outside the four units.
std::optional<qint64> intervalMilliseconds(qint64 number, const QString& unit);
// Sort key written by the entry dialogs: sixtieths of a second.
std::optional<qint64> entryTotalTime(qint64 number, const QString& unit);
// Sort key written by a postponement: seconds.
std::optional<qint64> postponeTotalTime(qint64 number, const QString& unit);

// "yyyy-mm-dd HH:mm:ss" of the clock's current moment (19 characters).
QString nowText();
// "yyyy-mm-dd HH:mm:00 " of a picked date and time: seconds dropped, one trailing blank.
QString pickedMomentText(const QDate& date, const QTime& time);
// Due from the start moment on, inclusive.
bool isDue(const QDateTime& start, const QDateTime& now);
// The text that the stored start texts due at `now` order below, byte by byte, and every
// other start text above: the now text followed by "!", the first character above the blank,
// so that a picked moment, which ends in a blank, is due from its own second on. For starts
// written in the moment texts the comparison says what isDue() says of the parsed start.
QString dueStartsBelow(const QDateTime& now);

// "5" when the trimmed unit is "秒" and the trimmed number reads below 5; otherwise the
// number text unchanged. Throws ConversionError when the unit is "秒" and the number text
// is not a decimal integer.
QString applySecondsMinimum(const QString& numberText, const QString& unitText);

} // namespace TimingRules
