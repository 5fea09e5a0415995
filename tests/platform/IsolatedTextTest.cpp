// Texts that people entered, shown among other texts as isolated runs.
#include "platform/TextConvert.h"

#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

TEST(IsolatedTextTest, OnlyTextsThatCanMoveTheirNeighboursAreWrappedEachLineOnItsOwn) {
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("张三 abc 123"), QStringLiteral("张三 abc 123")},
        {QStringLiteral("\u202Eevil"), QStringLiteral("\u2068\u202Eevil\u2069")},
        {QStringLiteral("سلام"), QStringLiteral("\u2068سلام\u2069")},
        {QString::fromUcs4(U"\U00010900a"), QString::fromUcs4(U"\u2068\U00010900a\u2069")},
        // A stray closing isolate would end the run early; an unclosed one is closed.
        {QStringLiteral("a\u2069\u202Eb"), QStringLiteral("\u2068a\u202Eb\u2069")},
        {QStringLiteral("\u2067x"), QStringLiteral("\u2068\u2067x\u2069\u2069")},
        {QStringLiteral("a\u202E\r\nb"),
         QStringLiteral("\u2068a\u202E\u2069\r\u2068\u2069\n\u2068b\u2069")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isolatedText(c.text), c.shown) << c.text.toStdString();
}

// Where each character of the text lands on one laid-out line.
std::vector<qreal> positions(const QString& text) {
    QTextLayout layout(text);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    std::vector<qreal> xs;
    for (int i = 0; i < text.size(); ++i)
        xs.push_back(line.cursorToX(i));
    return xs;
}

TEST(IsolatedTextTest, AnOverrideInANameNoLongerReversesTheTextAfterIt) {
    const QString name = QStringLiteral("\u202E张三");
    const QString after = QStringLiteral("内容");
    const std::vector<qreal> raw = positions(name + after);
    EXPECT_GT(raw[name.size()], raw[name.size() + 1]) << "the override reverses what follows";

    const QString isolated = isolatedText(name);
    const std::vector<qreal> shown = positions(isolated + after);
    EXPECT_LT(shown[isolated.size()], shown[isolated.size() + 1]);
}

} // namespace
