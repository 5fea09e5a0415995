#include "chrome/SkinButton.h"
#include "ChromeTestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <memory>

namespace {

// A shown window with one skin button at (20, 20), so that the pointer can come and go.
class SkinButtonOnWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(200, 100);
        button = new SkinButton(window.get());
        button->move(20, 20);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Qt drops a move to where the pointer already is, so every move goes somewhere new first.
    void hoverButton() {
        QTest::mouseMove(window.get(), QPoint(1, 1));
        QTest::mouseMove(window.get(), QPoint(26, 26));
    }
    void leaveButton() {
        QTest::mouseMove(window.get(), QPoint(150, 80));
        QTest::mouseMove(window.get(), QPoint(151, 81));
    }

    std::unique_ptr<QWidget> window;
    SkinButton* button = nullptr;
};

} // namespace

TEST(SkinButton, NewButtonIsACloseGlyphAndASecondEqualStyleLoadsNothing) {
    SkinButton button;
    EXPECT_EQ(button.buttonStyle(), SkinButtonStyle::Close);
    EXPECT_EQ(button.size(), QSize(13, 13));
    EXPECT_TRUE(showsBitmap(button, "fbClose"));
    EXPECT_EQ(button.bitmapLoads(), 1);

    button.setButtonStyle(SkinButtonStyle::Minimize);
    button.setButtonStyle(SkinButtonStyle::Minimize);
    EXPECT_EQ(button.bitmapLoads(), 2);
    EXPECT_TRUE(showsBitmap(button, "fbMin"));
    button.setButtonStyle(SkinButtonStyle::Close);
    EXPECT_EQ(button.bitmapLoads(), 3);
}

TEST(SkinButton, TextButtonKeepsItsWidthAndDrawsItsCapsAtTheEnds) {
    SkinButton button;
    button.resize(120, 20);
    button.setButtonStyle(SkinButtonStyle::TextButton);
    EXPECT_EQ(button.size(), QSize(120, 34));
    const QImage shown = button.grab().toImage();
    // Left cap and middle one for one; the bitmap's right cap (columns 255-264) at 110-120.
    EXPECT_TRUE(showsBitmap(shown, "btnUp", QRect(0, 0, 110, 34), QPoint(0, 0)));
    EXPECT_TRUE(showsBitmap(shown, "btnUp", QRect(255, 0, 10, 34), QPoint(110, 0)));

    // Wider than the bitmap: the caps stay at the ends and the middle is filled, not empty.
    button.resize(400, 34);
    const QImage wide = button.grab().toImage();
    EXPECT_TRUE(showsBitmap(wide, "btnUp", QRect(0, 0, 10, 34), QPoint(0, 0)));
    EXPECT_TRUE(showsBitmap(wide, "btnUp", QRect(255, 0, 10, 34), QPoint(390, 0)));
    EXPECT_TRUE(showsBitmap(wide, "btnUp", QRect(130, 0, 1, 34), QPoint(330, 0)));
}

TEST(SkinButton, LatchedAndPictureLooksOfATextButton) {
    SkinButton button;
    button.resize(120, 34);
    button.setButtonStyle(SkinButtonStyle::TextButton);
    button.setHeldDown(true);
    EXPECT_TRUE(
        showsBitmap(button.grab().toImage(), "btnDown", QRect(0, 0, 110, 34), QPoint(0, 0)));
    button.setHeldDown(false);

    // A 10 x 10 picture, magenta but for a red centre, without caption: centred at
    // round((120 - 0 - 10 - 10) / 2) = 50, top 4; its magenta shows the button through.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x)
            picture.setPixelColor(x, y, Qt::red);
    button.setPicture(QPixmap::fromImage(picture));
    button.setHasPicture(true);
    const QImage shown = button.grab().toImage();
    EXPECT_EQ(shown.pixelColor(54, 8), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(56, 10), QColor(Qt::red));
    EXPECT_TRUE(showsBitmap(shown, "btnUp", QRect(50, 4, 3, 3), QPoint(50, 4)));
    EXPECT_TRUE(showsBitmap(shown, "btnUp", QRect(57, 11, 3, 3), QPoint(57, 11)));
}

TEST_F(SkinButtonOnWindow, ClickOnMaximiseSeesMaximiseThenShowsRestore) {
    button->setButtonStyle(SkinButtonStyle::Maximize);
    std::vector<SkinButtonStyle> seen;
    QObject::connect(button, &SkinButton::clicked, button,
                     [&seen](SkinButton* sender) { seen.push_back(sender->buttonStyle()); });
    hoverButton();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front(), SkinButtonStyle::Maximize);
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Restore);
    EXPECT_TRUE(showsBitmap(*button, "fbNormalMove"));

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), SkinButtonStyle::Restore);
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Maximize);
}

TEST_F(SkinButtonOnWindow, PointerMakesItHotLeavingMakesItNormalPressingShowsPressed) {
    button->setButtonStyle(SkinButtonStyle::Maximize);
    int moves = 0;
    QObject::connect(button, &SkinButton::pointerMoved, button, [&moves] { ++moves; });
    hoverButton();
    EXPECT_TRUE(button->isHot());
    EXPECT_GE(moves, 1);
    EXPECT_TRUE(showsBitmap(*button, "fbMaxMove"));

    leaveButton();
    EXPECT_FALSE(button->isHot());
    EXPECT_TRUE(showsBitmap(*button, "fbMax"));

    hoverButton();
    EXPECT_TRUE(button->isHot());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_TRUE(button->isPressed());
    EXPECT_TRUE(showsBitmap(*button, "fbMaxDown"));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(button->isPressed());
}

TEST_F(SkinButtonOnWindow, RightButtonNeitherPressesNorClicks) {
    button->setButtonStyle(SkinButtonStyle::Maximize);
    QSignalSpy clicks(button, &SkinButton::clicked);
    hoverButton();
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(6, 6));
    EXPECT_FALSE(button->isPressed());
    EXPECT_TRUE(showsBitmap(*button, "fbMaxMove"));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(6, 6));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Maximize);
}

TEST_F(SkinButtonOnWindow, PressDraggedOffTheButtonIsNoClickAndKeepsTheGlyph) {
    button->setButtonStyle(SkinButtonStyle::Maximize);
    QSignalSpy clicks(button, &SkinButton::clicked);
    hoverButton();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseMove(button, QPoint(60, 40));
    EXPECT_FALSE(button->isHot());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Maximize);
}
