#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>

class QMouseEvent;

// Bitmap sets of a skin button. The first five are the 13 x 13 caption glyphs of the window
// frames; sbsBtn is a wide text button drawn in three slices, with an optional picture beside
// its caption.
enum TSkinButtonStyle : std::uint8_t { sbsMin, sbsMax, sbsNormal, sbsClose, sbsHelp, sbsBtn };

// Caption position of an sbsBtn button without picture.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// A small control (unit UComponentUnit) that draws itself entirely from the program's skin
// bitmaps, in three looks: normal, hot (pointer over it) and pressed.
//
//   auto* button = new TSkinButton(panTop);   // a 13 x 13 close glyph
//   button->SetSkinButtonStyle(sbsMax);
//   connect(button, &TSkinButton::OnClick, this, [this](TSkinButton* b) { ... });
//
// A maximise button turns into a restore button after each click and back (and the click is
// reported before that swap, so a handler sees the style that was clicked). Width, height,
// position, font, enabled, visible and the hint are the QWidget's own (the hint is the tool
// tip).
class TSkinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSkinButton(QWidget* owner = nullptr);

    TSkinButtonStyle SkinButtonStyle() const { return style_; }
    // Loads the style's three bitmaps and takes the hot bitmap's size: a glyph button becomes
    // 13 x 13, an sbsBtn button keeps its width and becomes 34 high. The same style again does
    // nothing.
    void SetSkinButtonStyle(TSkinButtonStyle style);

    QString caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // sbsBtn only: shows the pressed look for as long as it is set.
    bool DownIn() const { return DownIn_; }
    void SetDownIn(bool downIn);

    // sbsBtn only: a picture before the caption; magenta (255, 0, 255) is transparent.
    const QPixmap& Picture() const { return Picture_; }
    void SetPicture(const QPixmap& picture);
    bool HavePicture() const { return HavePicture_; }
    void SetHavePicture(bool havePicture);

    TAlignment Alignment() const { return Alignment_; }
    void SetAlignment(TAlignment alignment);

    // The look's state: the left button went down on the button and has not come up; the
    // pointer is over the button.
    bool Pressed() const { return FPressed; }
    bool Hot() const { return FHot; }

    // How often a style's bitmaps have been loaded, so that tests can see a style set twice
    // is loaded once.
    int BitmapLoads() const { return bitmapLoads_; }

    QSize sizeHint() const override;

signals:
    // A left-button press and release on the button (after it took the focus).
    void OnClick(TSkinButton* sender);
    // Every pointer move over the button, after the button's own handling.
    void OnMouseMove(TSkinButton* sender, QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void LoadStyle(TSkinButtonStyle style);
    void PaintGlyph(QPainter& painter) const;
    void PaintTextButton(QPainter& painter) const;
    void DrawSlices(QPainter& painter, const QPixmap& bitmap) const;
    void UpdateAccessibleName();

    TSkinButtonStyle style_ = sbsClose;
    QPixmap normal_;
    QPixmap hot_;
    QPixmap pressed_;
    QPixmap Picture_;
    QPixmap transparentPicture_; // Picture_ with magenta made transparent
    bool HavePicture_ = false;
    bool DownIn_ = false;
    bool FPressed = false;
    bool FHot = false;
    TAlignment Alignment_ = taCenter;
    QString caption_;
    int bitmapLoads_ = 0;
};
