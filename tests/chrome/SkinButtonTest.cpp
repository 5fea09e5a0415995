#include "ChromeTestSupport.h"
#include "chrome/TSkinButton.h"

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
        button = new TSkinButton(window.get());
        button->move(20, 20);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Qt drops a move to where the pointer already is, so every move goes somewhere new first.
    void HoverButton() {
        QTest::mouseMove(window.get(), QPoint(1, 1));
        QTest::mouseMove(window.get(), QPoint(26, 26));
    }
    void LeaveButton() {
        QTest::mouseMove(window.get(), QPoint(150, 80));
        QTest::mouseMove(window.get(), QPoint(151, 81));
    }

    std::unique_ptr<QWidget> window;
    TSkinButton* button = nullptr;
};

} // namespace

TEST(SkinButton, NewButtonIsACloseGlyphAndASecondEqualStyleLoadsNothing) {
    TSkinButton button;
    EXPECT_EQ(button.SkinButtonStyle(), sbsClose);
    EXPECT_EQ(button.size(), QSize(13, 13));
    EXPECT_TRUE(ShowsBitmap(button, "fbClose"));
    EXPECT_EQ(button.BitmapLoads(), 1);

    button.SetSkinButtonStyle(sbsMin);
    button.SetSkinButtonStyle(sbsMin);
    EXPECT_EQ(button.BitmapLoads(), 2);
    EXPECT_TRUE(ShowsBitmap(button, "fbMin"));
    button.SetSkinButtonStyle(sbsClose);
    EXPECT_EQ(button.BitmapLoads(), 3);
}

TEST(SkinButton, TextButtonKeepsItsWidthAndDrawsItsCapsAtTheEnds) {
    TSkinButton button;
    button.resize(120, 20);
    button.SetSkinButtonStyle(sbsBtn);
    EXPECT_EQ(button.size(), QSize(120, 34));
    const QImage shown = button.grab().toImage();
    // Left cap and middle one for one; the bitmap's right cap (columns 255-264) at 110-120.
    EXPECT_TRUE(ShowsBitmap(shown, "btnUp", QRect(0, 0, 110, 34), QPoint(0, 0)));
    EXPECT_TRUE(ShowsBitmap(shown, "btnUp", QRect(255, 0, 10, 34), QPoint(110, 0)));

    // Wider than the bitmap: the caps stay at the ends and the middle is filled, not empty.
    button.resize(400, 34);
    const QImage wide = button.grab().toImage();
    EXPECT_TRUE(ShowsBitmap(wide, "btnUp", QRect(0, 0, 10, 34), QPoint(0, 0)));
    EXPECT_TRUE(ShowsBitmap(wide, "btnUp", QRect(255, 0, 10, 34), QPoint(390, 0)));
    EXPECT_TRUE(ShowsBitmap(wide, "btnUp", QRect(130, 0, 1, 34), QPoint(330, 0)));
}

TEST(SkinButton, LatchedAndPictureLooksOfATextButton) {
    TSkinButton button;
    button.resize(120, 34);
    button.SetSkinButtonStyle(sbsBtn);
    button.SetDownIn(true);
    EXPECT_TRUE(
        ShowsBitmap(button.grab().toImage(), "btnDown", QRect(0, 0, 110, 34), QPoint(0, 0)));
    button.SetDownIn(false);

    // A 10 x 10 picture, magenta but for a red centre, without caption: centred at
    // round((120 - 0 - 10 - 10) / 2) = 50, top 4; its magenta shows the button through.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x)
            picture.setPixelColor(x, y, Qt::red);
    button.SetPicture(QPixmap::fromImage(picture));
    button.SetHavePicture(true);
    const QImage shown = button.grab().toImage();
    EXPECT_EQ(shown.pixelColor(54, 8), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(56, 10), QColor(Qt::red));
    EXPECT_TRUE(ShowsBitmap(shown, "btnUp", QRect(50, 4, 3, 3), QPoint(50, 4)));
    EXPECT_TRUE(ShowsBitmap(shown, "btnUp", QRect(57, 11, 3, 3), QPoint(57, 11)));
}

TEST_F(SkinButtonOnWindow, ClickOnMaximiseSeesMaximiseThenShowsRestore) {
    button->SetSkinButtonStyle(sbsMax);
    std::vector<TSkinButtonStyle> seen;
    QObject::connect(button, &TSkinButton::OnClick, button,
                     [&seen](TSkinButton* sender) { seen.push_back(sender->SkinButtonStyle()); });
    HoverButton();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front(), sbsMax);
    EXPECT_EQ(button->SkinButtonStyle(), sbsNormal);
    EXPECT_TRUE(ShowsBitmap(*button, "fbNormalMove"));

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), sbsNormal);
    EXPECT_EQ(button->SkinButtonStyle(), sbsMax);
}

TEST_F(SkinButtonOnWindow, PointerMakesItHotLeavingMakesItNormalPressingShowsPressed) {
    button->SetSkinButtonStyle(sbsMax);
    int moves = 0;
    QObject::connect(button, &TSkinButton::OnMouseMove, button, [&moves] { ++moves; });
    HoverButton();
    EXPECT_TRUE(button->Hot());
    EXPECT_GE(moves, 1);
    EXPECT_TRUE(ShowsBitmap(*button, "fbMaxMove"));

    LeaveButton();
    EXPECT_FALSE(button->Hot());
    EXPECT_TRUE(ShowsBitmap(*button, "fbMax"));

    HoverButton();
    EXPECT_TRUE(button->Hot());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(ShowsBitmap(*button, "fbMaxDown"));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(button->Pressed());
}

TEST_F(SkinButtonOnWindow, RightButtonNeitherPressesNorClicks) {
    button->SetSkinButtonStyle(sbsMax);
    QSignalSpy clicks(button, &TSkinButton::OnClick);
    HoverButton();
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(6, 6));
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(ShowsBitmap(*button, "fbMaxMove"));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(6, 6));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->SkinButtonStyle(), sbsMax);
}

TEST_F(SkinButtonOnWindow, PressDraggedOffTheButtonIsNoClickAndKeepsTheGlyph) {
    button->SetSkinButtonStyle(sbsMax);
    QSignalSpy clicks(button, &TSkinButton::OnClick);
    HoverButton();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseMove(button, QPoint(60, 40));
    EXPECT_FALSE(button->Hot());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->SkinButtonStyle(), sbsMax);
}
