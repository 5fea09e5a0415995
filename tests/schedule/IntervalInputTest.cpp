// The unit combo decides by the stored unit each item keeps, never by the words it shows.
#include "schedule/IntervalInput.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

TEST(IntervalInputTest, TheStoredUnitComesFromTheItemWhateverItsWords) {
    QComboBox combo;
    IntervalInput::fillUnits(&combo);
    ASSERT_EQ(combo.count(), 4);
    // Words of another language: the store still receives the unit it always has.
    const QStringList shown = {"seconds", "minutes", "hours", "days"};
    for (int i = 0; i < 4; ++i)
        combo.setItemText(i, shown[i]);

    const struct {
        const char* typed;
        std::optional<QString> stored;
    } cases[] = {
        {"minutes", QStringLiteral("分")},
        {" days ", QStringLiteral("天")},
        {"秒", std::nullopt},      // the stored value is no shown text now
        {"Minutes", std::nullopt}, // the shown text, exactly
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        combo.setEditText(QString::fromUtf8(c.typed));
        EXPECT_EQ(IntervalInput::storedUnit(&combo), c.stored);
    }

    // A stored unit shows as its item; one outside the four as it was stored.
    IntervalInput::showUnit(&combo, QStringLiteral("时 "));
    EXPECT_EQ(combo.currentText(), "hours");
    IntervalInput::showUnit(&combo, QStringLiteral("周"));
    EXPECT_EQ(combo.currentText(), "周");
    EXPECT_EQ(IntervalInput::storedUnit(&combo), std::nullopt);
}

} // namespace
