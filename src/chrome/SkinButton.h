#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>

class QMouseEvent;

// Bitmap sets of a skin button. The first five are the 13 x 13 caption glyphs of the window
// frames; TextButton is a wide text button drawn in three slices, with an optional picture
// beside its caption.
enum class SkinButtonStyle : std::uint8_t { Minimize, Maximize, Restore, Close, Help, TextButton };

// Caption position of a text button without picture.
enum class CaptionAlignment : std::uint8_t { Left, Right, Center };

// A small control that draws itself entirely from the program's skin bitmaps, in three looks:
// normal, hot (pointer over it) and pressed.
//
//   auto* button = new SkinButton(topBar);   // a 13 x 13 close glyph
//   button->setButtonStyle(SkinButtonStyle::Maximize);
//   connect(button, &SkinButton::clicked, this, [this](SkinButton* b) { ... });
//
// A maximise button turns into a restore button after each click and back (and the click is
// reported before that swap, so a handler sees the style that was clicked). Width, height,
// position, font, enabled, visible and the hint are the QWidget's own (the hint is the tool
// tip).
class SkinButton : public QWidget {
    Q_OBJECT
public:
    explicit SkinButton(QWidget* owner = nullptr);

    SkinButtonStyle buttonStyle() const { return style_; }
    // Loads the style's three bitmaps and takes the hot bitmap's size: a glyph button becomes
    // 13 x 13, a text button keeps its width and becomes 34 high. The same style again does
    // nothing.
    void setButtonStyle(SkinButtonStyle style);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Text button only: shows the pressed look for as long as it is set.
    bool isHeldDown() const { return heldDown_; }
    void setHeldDown(bool downIn);

    // Text button only: a picture before the caption; magenta (255, 0, 255) is transparent.
    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    bool hasPicture() const { return hasPicture_; }
    void setHasPicture(bool havePicture);

    CaptionAlignment alignment() const { return alignment_; }
    void setAlignment(CaptionAlignment alignment);

    // The look's state: the left button went down on the button and has not come up; the
    // pointer is over the button.
    bool isPressed() const { return pressed_; }
    bool isHot() const { return hot_; }

    // How often a style's bitmaps have been loaded, so that tests can see a style set twice
    // is loaded once.
    int bitmapLoads() const { return bitmapLoads_; }

    QSize sizeHint() const override;

signals:
    // A left-button press and release on the button (after it took the focus).
    void clicked(SkinButton* sender);
    // Every pointer move over the button, after the button's own handling.
    void pointerMoved(SkinButton* sender, QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void loadStyle(SkinButtonStyle style);
    void paintGlyph(QPainter& painter) const;
    void paintTextButton(QPainter& painter) const;
    void drawSlices(QPainter& painter, const QPixmap& bitmap) const;
    void updateAccessibleName();

    SkinButtonStyle style_ = SkinButtonStyle::Close;
    QPixmap normalBitmap_;
    QPixmap hotBitmap_;
    QPixmap pressedBitmap_;
    QPixmap picture_;
    QPixmap transparentPicture_; // picture_ with magenta made transparent
    bool hasPicture_ = false;
    bool heldDown_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    CaptionAlignment alignment_ = CaptionAlignment::Center;
    QString caption_;
    int bitmapLoads_ = 0;
};
