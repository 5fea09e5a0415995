#include "calview/CalendarBackground.h"

#include <gtest/gtest.h>

using namespace CalendarBackground;

namespace {

QImage solid(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int countPixels(const QImage& image, const QRect& area, QColor color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == color ? 1 : 0;
    return count;
}

} // namespace

TEST(CalendarBackgroundTest, PictureIsFittedKeepingItsAspectAndPlacedTopLeftOrCentred) {
    EXPECT_EQ(fitInside({300, 100}, {400, 200}), QRect(0, 0, 200, 100)); // wide, height limits
    EXPECT_EQ(fitInside({300, 200}, {600, 100}), QRect(0, 0, 300, 50));  // wide, width limits
    EXPECT_EQ(fitInside({100, 300}, {200, 250}), QRect(0, 0, 100, 125)); // tall, width limits
    EXPECT_EQ(fitInside({313, 253}, {300, 200}), QRect(0, 0, 313, 208)); // 208.67 truncated
    EXPECT_TRUE(fitInside({300, 200}, {100, 0}).isEmpty());

    const QSize area(313, 253);
    EXPECT_EQ(pictureRect(area, {100, 50}, false, false), QRect(0, 0, 100, 50));
    EXPECT_EQ(pictureRect(area, {100, 50}, true, false), QRect(106, 101, 100, 50));
    EXPECT_EQ(pictureRect(area, {400, 300}, true, false), QRect(-43, -23, 400, 300));
    EXPECT_EQ(pictureRect(area, {300, 200}, true, true), QRect(0, 22, 313, 208));
    EXPECT_EQ(pictureRect(area, {100, 400}, true, true), QRect(125, 0, 63, 253));
}

TEST(CalendarBackgroundTest, BlendingWeighsThePictureByAlphaModHundredAndSkipsTheKeyColour) {
    const QColor back(10, 101, 255);
    const QColor front(201, 0, 100);
    auto blended = [&](int alpha) {
        QImage layer = solid({4, 3}, Qt::white); // the key colour, at the top left
        layer.setPixelColor(2, 1, front);
        QImage background = solid({4, 3}, back);
        blendLayer(background, layer, alpha);
        const QColor result = background.pixelColor(2, 1);
        background.setPixelColor(2, 1, back);
        EXPECT_EQ(countPixels(background, background.rect(), back), 12) << alpha;
        return result;
    };
    EXPECT_EQ(blended(100), back);                // 100 mod 100 = 0
    EXPECT_EQ(blended(50), QColor(105, 50, 177)); // means, rounded down
    EXPECT_EQ(blended(150), QColor(105, 50, 177));
    EXPECT_EQ(blended(25), QColor(57, 75, 216));
}

TEST(CalendarBackgroundTest, RenderDrawsFrameWatermarkAndBlendedPicture) {
    Options options;
    options.size = {313, 253};
    options.gridBounds = {8, 40, 298, 186};
    options.year = 2024;
    options.month = 2;
    options.frameColor = QColor(1, 2, 3);
    QImage background;
    QImage layer;
    render(options, background, layer);
    ASSERT_EQ(background.size(), QSize(313, 253));
    EXPECT_TRUE(layer.isNull());
    EXPECT_EQ(background.pixelColor(0, 0), QColor(1, 2, 3));
    EXPECT_EQ(background.pixelColor(312, 252), QColor(1, 2, 3));
    // The year over the upper half of the grid, the month over the lower half.
    const QRect upper(8, 46, 298, 113 - 40);
    const QRect lower(8, 113, 298, 226 - 113);
    EXPECT_GT(countPixels(background, upper, options.yearColor), 200);
    EXPECT_EQ(countPixels(background, lower, options.yearColor), 0);
    EXPECT_GT(countPixels(background, lower, options.monthColor), 500);
    EXPECT_EQ(countPixels(background, QRect(0, 0, 313, 40), options.monthColor), 0);

    options.showFrame = false;
    options.showWatermark = false;
    QImage picture = solid({40, 40}, Qt::white);
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            picture.setPixelColor(x, y, QColor(255, 0, 0));
    options.picture = picture;
    options.center = true;
    render(options, background, layer);
    ASSERT_EQ(layer.size(), QSize(313, 253));
    EXPECT_EQ(countPixels(background, QRect(146, 116, 20, 20), QColor(255, 127, 127)), 400);
    EXPECT_EQ(countPixels(background, background.rect(), Qt::white), 313 * 253 - 400);
    options.alphaBlend = 100;
    render(options, background, layer);
    EXPECT_EQ(countPixels(background, background.rect(), Qt::white), 313 * 253);
}
