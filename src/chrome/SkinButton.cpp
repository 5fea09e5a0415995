#include "chrome/SkinButton.h"

#include "chrome/Assets.h"

#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <array>
#include <cmath>

namespace {

struct StyleBitmaps {
    const char* normal;
    const char* hot;
    const char* pressed;
};

constexpr std::array<StyleBitmaps, 6> kBitmaps{{
    {"fbMin", "fbMinMove", "fbMinDown"},
    {"fbMax", "fbMaxMove", "fbMaxDown"},
    {"fbNormal", "fbNormalMove", "fbNormalDown"},
    {"fbClose", "fbCloseMove", "fbCloseDown"},
    {"fbHelp", "fbHelpMove", "fbHelpDown"},
    {"btnUp", "btnMove", "btnDown"},
}};

// The glyph buttons have no caption; screen readers get these names instead.
constexpr std::array<const char*, 5> kGlyphNames{"最小化", "最大化", "还原", "关闭", "帮助"};

constexpr int kCap = 10;        // width of a text button's left and right slices
constexpr int kPictureTop = 4;  // top of a text button's picture
constexpr int kPictureGap = 10; // between picture and caption
constexpr int kLeftText = 25;   // caption left of a left-aligned text button

// Nearest integer, halves to the even neighbour.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

QPixmap withMagentaTransparent(const QPixmap& picture) {
    if (picture.isNull())
        return {};
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(255, 0, 255);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return QPixmap::fromImage(image);
}

} // namespace

SkinButton::SkinButton(QWidget* owner) : QWidget(owner) {
    setMouseTracking(true);
    // Caption buttons take the focus when clicked, as any button does, but stay out of the
    // tab order of the dialogs around them.
    setFocusPolicy(Qt::ClickFocus);
    loadStyle(SkinButtonStyle::Close);
}

void SkinButton::setButtonStyle(SkinButtonStyle style) {
    if (style == style_)
        return;
    loadStyle(style);
}

void SkinButton::loadStyle(SkinButtonStyle style) {
    style_ = style;
    const StyleBitmaps& names = kBitmaps.at(static_cast<std::size_t>(style));
    normalBitmap_ = Assets::picture(QString::fromLatin1(names.normal));
    hotBitmap_ = Assets::picture(QString::fromLatin1(names.hot));
    pressedBitmap_ = Assets::picture(QString::fromLatin1(names.pressed));
    ++bitmapLoads_;
    const QSize bitmap = hotBitmap_.size();
    if (style != SkinButtonStyle::TextButton)
        resize(bitmap.width(), bitmap.height());
    else
        resize(width(), bitmap.height());
    updateGeometry();
    updateAccessibleName();
    update();
}

void SkinButton::updateAccessibleName() {
    if (style_ == SkinButtonStyle::TextButton)
        setAccessibleName(caption_);
    else
        setAccessibleName(QString::fromUtf8(kGlyphNames.at(static_cast<std::size_t>(style_))));
}

void SkinButton::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    updateAccessibleName();
    update();
}

void SkinButton::setHeldDown(bool downIn) {
    if (downIn == heldDown_)
        return;
    heldDown_ = downIn;
    update();
}

void SkinButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    transparentPicture_ = withMagentaTransparent(picture);
    update();
}

void SkinButton::setHasPicture(bool havePicture) {
    if (havePicture == hasPicture_)
        return;
    hasPicture_ = havePicture;
    update();
}

void SkinButton::setAlignment(CaptionAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    update();
}

QSize SkinButton::sizeHint() const {
    if (style_ == SkinButtonStyle::TextButton)
        return {width(), hotBitmap_.height()};
    return hotBitmap_.size();
}

void SkinButton::paintEvent(QPaintEvent*) {
    // The bitmaps are copied onto a surface of the button's own, exactly as they are (their
    // transparent pixels included); the surface is then laid over whatever is behind the
    // button, so glyphs sit on any title picture.
    QImage surface(size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    {
        QPainter painter(&surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (style_ == SkinButtonStyle::TextButton)
            paintTextButton(painter);
        else
            paintGlyph(painter);
    }
    QPainter(this).drawImage(0, 0, surface);
}

void SkinButton::paintGlyph(QPainter& painter) const {
    const QRect bitmapRect(QPoint(0, 0), hotBitmap_.size());
    painter.drawPixmap(bitmapRect, hot_ ? hotBitmap_ : normalBitmap_, bitmapRect);
    if (pressed_ && hot_)
        painter.drawPixmap(bitmapRect, pressedBitmap_, bitmapRect);
}

void SkinButton::drawSlices(QPainter& painter, const QPixmap& bitmap) const {
    const int w = width();
    const int h = height();
    const int wb = hotBitmap_.width();
    const int hb = hotBitmap_.height();
    painter.drawPixmap(QRect(0, 0, kCap, h), bitmap, QRect(0, 0, kCap, hb));
    const int middle = w - 2 * kCap;
    if (middle > 0) {
        // Up to the bitmap's own width the middle columns are taken one for one; a wider
        // button stretches the bitmap's middle instead of reading past its right edge.
        const int sourceMiddle = std::min(middle, wb - 2 * kCap);
        painter.drawPixmap(QRect(kCap, 0, middle, h), bitmap, QRect(kCap, 0, sourceMiddle, hb));
    }
    painter.drawPixmap(QRect(w - kCap, 0, kCap, hb), bitmap, QRect(wb - kCap, 0, kCap, hb));
}

void SkinButton::paintTextButton(QPainter& painter) const {
    drawSlices(painter, hot_ ? hotBitmap_ : normalBitmap_);
    if ((pressed_ && hot_) || heldDown_)
        drawSlices(painter, pressedBitmap_);

    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(caption_);
    const int textHeight = metrics.height();
    const int w = width();
    const int h = height();

    int textLeft = 0;
    if (hasPicture_ && !transparentPicture_.isNull()) {
        const int pw = transparentPicture_.width();
        const int ph = transparentPicture_.height();
        const int left = roundHalfEven((w - textWidth - pw - kPictureGap) / 2.0);
        painter.drawPixmap(QRect(left, kPictureTop, pw, ph), transparentPicture_);
        textLeft = pw + left + kPictureGap;
    } else if (alignment_ == CaptionAlignment::Left) {
        textLeft = kLeftText;
    } else {
        textLeft = roundHalfEven((w - textWidth) / 2.0);
    }
    painter.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
    const int textTop = roundHalfEven((h - textHeight) / 2.0);
    painter.drawText(QRect(textLeft, textTop, textWidth + 1, textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = true;
    update();
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
    // While the button is held the pointer may wander off it; the pressed look then gives way
    // to the normal one, and a release out there is no click.
    const bool over = rect().contains(event->position().toPoint());
    if (over != hot_) {
        hot_ = over;
        update();
    }
    emit pointerMoved(this, event);
}

void SkinButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (hot_) {
        hot_ = false;
        update();
    }
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        event->ignore();
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    QPointer<SkinButton> self(this);
    if (inside) {
        setFocus(Qt::MouseFocusReason);
        if (window()->focusWidget() == this)
            emit clicked(this);
        if (!self)
            return;
    }
    pressed_ = false;
    // Only a completed click swaps maximise and restore: a press dragged off the button runs
    // nothing, so the glyph must keep matching the window.
    if (inside) {
        if (style_ == SkinButtonStyle::Maximize)
            loadStyle(SkinButtonStyle::Restore);
        else if (style_ == SkinButtonStyle::Restore)
            loadStyle(SkinButtonStyle::Maximize);
    }
    update();
}
