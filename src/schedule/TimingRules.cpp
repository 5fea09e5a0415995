#include "schedule/TimingRules.h"

#include "platform/Clock.h"
#include "platform/TextConvert.h"

namespace {
struct UnitScale {
    const QString* unit;
    qint64 milliseconds;
    qint64 entryScale;
    qint64 postponeScale;
};

const UnitScale kScales[] = {
    {&TimingRules::kSecond, 1000, 60, 1},
    {&TimingRules::kMinute, 60000, 3600, 60},
    {&TimingRules::kHour, 3600000, 216000, 3600},
    {&TimingRules::kDay, 86400000, 5184000, 86400},
};

const UnitScale* scaleOf(const QString& unit) {
    for (const UnitScale& scale : kScales)
        if (*scale.unit == unit)
            return &scale;
    return nullptr;
}
} // namespace

bool TimingRules::isIntervalUnit(const QString& unit) {
    return scaleOf(unit) != nullptr;
}

std::optional<qint64> TimingRules::intervalMilliseconds(qint64 number, const QString& unit) {
    const UnitScale* scale = scaleOf(unit);
    if (!scale)
        return std::nullopt;
    return number * scale->milliseconds;
}

std::optional<qint64> TimingRules::entryTotalTime(qint64 number, const QString& unit) {
    const UnitScale* scale = scaleOf(unit);
    if (!scale)
        return std::nullopt;
    return number * scale->entryScale;
}

std::optional<qint64> TimingRules::postponeTotalTime(qint64 number, const QString& unit) {
    const UnitScale* scale = scaleOf(unit);
    if (!scale)
        return std::nullopt;
    return number * scale->postponeScale;
}

QString TimingRules::nowText() {
    return SystemClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString TimingRules::dueStartsBelow(const QDateTime& now) {
    return now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('!');
}

QString TimingRules::pickedMomentText(const QDate& date, const QTime& time) {
    return date.toString(QStringLiteral("yyyy-MM-dd ")) +
           time.toString(QStringLiteral("HH:mm:00 "));
}

bool TimingRules::isDue(const QDateTime& start, const QDateTime& now) {
    return now >= start;
}

QString TimingRules::applySecondsMinimum(const QString& numberText, const QString& unitText) {
    if (TextConvert::trim(unitText) != kSecond)
        return numberText;
    if (TextConvert::toInt(TextConvert::trim(numberText)) < 5)
        return QStringLiteral("5");
    return numberText;
}
