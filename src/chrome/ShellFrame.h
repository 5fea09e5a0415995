#pragma once

#include "chrome/SkinButton.h"

#include <QLabel>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QMouseEvent;
class QWidget;
class PictureBox;

// The picture frame that both shells (ShellWindow, DialogShell) give their window: the
// controls, the rounded outline, the caption buttons, the minimum size and the dragging by the
// title bar. A shell derives from its Qt window class first and from this second.
//
// Layout of the frame (sizes in pixels; every control's objectName is its member name):
//
//   topBar, 35 high:     topLeftPicture (9 x 35) | topCenterPicture (stretched)
//                        | topRightPicture (52 x 35), with the caption buttons 9 from the top
//                        and the title label
//   middleBand:          leftEdgePicture (6 wide) | clientArea | rightEdgePicture (6 wide)
//   bottomBar, 22 high:  bottomLeftPicture (6 x 22) | bottomCenterPicture (stretched)
//                        | bottomRightPicture (15 x 22)
//
// A derived window puts its content into clientArea (with a layout of its own, or by placing
// controls at fixed positions), and its title into topBar with placeTitleLabel(). It may replace
// any frame picture (topCenterPicture->setPicture(...)) and the bar heights (setTopBarHeight(),
// setBottomBarHeight()). Nothing else of the frame needs touching.
class ShellFrame {
public:
    static constexpr QSize kMinimumSize{640, 480};
    static constexpr int kTopBarHeight = 35;
    static constexpr int kBottomBarHeight = 22;
    static constexpr int kCaptionTop = 9;

    virtual ~ShellFrame();
    ShellFrame(const ShellFrame&) = delete;
    ShellFrame& operator=(const ShellFrame&) = delete;

protected:
    // The window's visible shape becomes its rectangle with corners rounded by 11 x 11 ellipses.
    void applyRoundShape();
    // Reacts to a click on a caption button, by the style the button has at that moment:
    // maximise and restore act on the window alike in both shells; minimise and close are
    // each shell's own.
    void onCaptionButtonClicked(SkinButton* button);

    virtual void onMinimizeClicked() = 0;
    virtual void onCloseClicked() = 0;

    // Builds the frame controls into `window`. `fullCaption`: close, maximise, minimise and
    // help buttons (the shell window); otherwise the close button only (the dialog shell).
    ShellFrame(QWidget& window, bool fullCaption);

    // The creation step, run by each shell's constructor and so before anything a derived
    // window does: outline, caption buttons, outline again. Running it again is harmless.
    void initializeFrame();
    void createCaptionButtons();
    // Every size change: outline, caption buttons, and the window kept at least 640 x 480.
    void onFrameResized();
    // A press on a title image: the window follows the pointer until the button is released.
    void startTitleDrag(QMouseEvent* event);
    // Moves the caption buttons to their places for the current width of topBar.
    void placeCaptionButtons();

    // Puts a derived window's title label into the title bar: left edge `left`, centred
    // vertically, white and bold unless `keepLook`, and transparent for the mouse so that the
    // title bar still drags the window through it. Returns the label.
    QLabel* placeTitleLabel(QLabel* label, int left = 12, bool keepLook = false);
    void setTopBarHeight(int height);
    void setBottomBarHeight(int height);

    // Told when a press on the title bar started a move; systemMove says whether the window
    // system took the move over (otherwise the window follows the pointer by itself).
    virtual void onWindowMoveStarted(bool systemMove) = 0;

    // Frame controls, owned by the window; created once and never replaced.
    QWidget* topBar = nullptr;
    PictureBox* topLeftPicture = nullptr;
    PictureBox* topCenterPicture = nullptr;
    PictureBox* topRightPicture = nullptr;
    QWidget* bottomBar = nullptr;
    PictureBox* bottomLeftPicture = nullptr;
    PictureBox* bottomCenterPicture = nullptr;
    PictureBox* bottomRightPicture = nullptr;
    QWidget* middleBand = nullptr;
    PictureBox* leftEdgePicture = nullptr;
    PictureBox* rightEdgePicture = nullptr;
    QWidget* clientArea = nullptr;

    // Caption buttons; the dialog shell has only the close button, the others stay null.
    SkinButton* closeButton = nullptr;
    SkinButton* maximizeButton = nullptr;
    SkinButton* minimizeButton = nullptr;
    SkinButton* helpButton = nullptr;

private:
    void buildControls();
    void connectTitlePicture(PictureBox* image);
    SkinButton* makeCaptionButton(const char* name, SkinButtonStyle style);
    void layOutTitleLabels();

    QWidget& window_;
    bool fullCaption_;
    bool dragging_ = false;
    QPoint dragOffset_;
    QList<QPointer<QLabel>> titleLabels_;
    QList<int> titleLefts_;
};
