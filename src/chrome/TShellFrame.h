#pragma once

#include "chrome/TSkinButton.h"

#include <QLabel>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QMouseEvent;
class QWidget;
class TFrameImage;

// The picture frame that both shells (TFrmShell, TFrmMidShell) give their window: the
// controls, the rounded outline, the caption buttons, the minimum size and the dragging by the
// title bar. A shell derives from its Qt window class first and from this second.
//
// Layout of the frame (sizes in pixels; every control's objectName is its member name):
//
//   panTop     35 high:  imaTopL (9 x 35) | imaTopC (stretched) | imaTopR (52 x 35)
//                        + the caption buttons, 9 from the top, and the title label
//   Panel3:              Image7 (6 wide) | panClient | Image8 (6 wide)
//   Panel2     22 high:  Image4 (6 x 22) | Image6 (stretched) | Image5 (15 x 22)
//
// A derived window puts its content into panClient (with a layout of its own, or by placing
// controls at fixed positions), and its title into panTop with PlaceTitleLabel. It may replace
// any frame picture (imaTopC->SetPicture(...)) and the bar heights (SetTopBarHeight,
// SetBottomBarHeight). Nothing else of the frame needs touching.
class TShellFrame {
public:
    static constexpr QSize kMinimumSize{640, 480};
    static constexpr int kTopBarHeight = 35;
    static constexpr int kBottomBarHeight = 22;
    static constexpr int kCaptionTop = 9;

    virtual ~TShellFrame();
    TShellFrame(const TShellFrame&) = delete;
    TShellFrame& operator=(const TShellFrame&) = delete;

    // The window's visible shape becomes its rectangle with corners rounded by 11 x 11 ellipses.
    void ApplyRoundRegion();
    // Reacts to a click on a caption button, by the style the button has at that moment.
    virtual void CaptionButtonClick(TSkinButton* button) = 0;

protected:
    // Builds the frame controls into `window`. `fullCaption`: close, maximise, minimise and
    // help buttons (the shell window); otherwise the close button only (the dialog shell).
    TShellFrame(QWidget& window, bool fullCaption);

    // The creation step, run by each shell's constructor and so before anything a derived
    // window does: outline, caption buttons, outline again. Running it again is harmless.
    void FormCreate();
    void CreateCaptionButtons();
    // Every size change: outline, caption buttons, and the window kept at least 640 x 480.
    void FormResize();
    // A press on a title image: the window follows the pointer until the button is released.
    void imaTopCMouseDown(QMouseEvent* event);
    // Moves the caption buttons to their places for the current width of panTop.
    void PlaceCaptionButtons();

    // Puts a derived window's title label into the title bar: left edge `left`, centred
    // vertically, white and bold unless `keepLook`, and transparent for the mouse so that the
    // title bar still drags the window through it. Returns the label.
    QLabel* PlaceTitleLabel(QLabel* label, int left = 12, bool keepLook = false);
    void SetTopBarHeight(int height);
    void SetBottomBarHeight(int height);

    // Told when a press on the title bar started a move; systemMove says whether the window
    // system took the move over (otherwise the window follows the pointer by itself).
    virtual void WindowMoveStarted(bool systemMove) = 0;

    // Frame controls, owned by the window; created once and never replaced.
    QWidget* panTop = nullptr;
    TFrameImage* imaTopL = nullptr;
    TFrameImage* imaTopC = nullptr;
    TFrameImage* imaTopR = nullptr;
    QWidget* Panel2 = nullptr;
    TFrameImage* Image4 = nullptr;
    TFrameImage* Image6 = nullptr;
    TFrameImage* Image5 = nullptr;
    QWidget* Panel3 = nullptr;
    TFrameImage* Image7 = nullptr;
    TFrameImage* Image8 = nullptr;
    QWidget* panClient = nullptr;

    // Caption buttons; the dialog shell has only the close button, the others stay null.
    TSkinButton* btnClose = nullptr;
    TSkinButton* btnMax = nullptr;
    TSkinButton* btnMin = nullptr;
    TSkinButton* btnHelp = nullptr;

private:
    void BuildControls();
    void ConnectTitleImage(TFrameImage* image);
    TSkinButton* MakeCaptionButton(const char* name, TSkinButtonStyle style);
    void LayOutTitleLabels();

    QWidget& window_;
    bool fullCaption_;
    bool dragging_ = false;
    QPoint dragOffset_;
    QList<QPointer<QLabel>> titleLabels_;
    QList<int> titleLefts_;
};
