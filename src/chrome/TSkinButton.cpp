#include "chrome/TSkinButton.h"

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

constexpr int kCap = 10;        // width of an sbsBtn's left and right slices
constexpr int kPictureTop = 4;  // top of an sbsBtn's picture
constexpr int kPictureGap = 10; // between picture and caption
constexpr int kLeftText = 25;   // caption left of a left-justified sbsBtn

// Nearest integer, halves to the even neighbour.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

QPixmap WithMagentaTransparent(const QPixmap& picture) {
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

TSkinButton::TSkinButton(QWidget* owner) : QWidget(owner) {
    setMouseTracking(true);
    // Caption buttons take the focus when clicked, as any button does, but stay out of the
    // tab order of the dialogs around them.
    setFocusPolicy(Qt::ClickFocus);
    LoadStyle(sbsClose);
}

void TSkinButton::SetSkinButtonStyle(TSkinButtonStyle style) {
    if (style == style_)
        return;
    LoadStyle(style);
}

void TSkinButton::LoadStyle(TSkinButtonStyle style) {
    style_ = style;
    const StyleBitmaps& names = kBitmaps.at(style);
    normal_ = Assets::Picture(QString::fromLatin1(names.normal));
    hot_ = Assets::Picture(QString::fromLatin1(names.hot));
    pressed_ = Assets::Picture(QString::fromLatin1(names.pressed));
    ++bitmapLoads_;
    const QSize bitmap = hot_.size();
    if (style != sbsBtn)
        resize(bitmap.width(), bitmap.height());
    else
        resize(width(), bitmap.height());
    updateGeometry();
    UpdateAccessibleName();
    update();
}

void TSkinButton::UpdateAccessibleName() {
    if (style_ == sbsBtn)
        setAccessibleName(caption_);
    else
        setAccessibleName(QString::fromUtf8(kGlyphNames.at(style_)));
}

void TSkinButton::SetCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    UpdateAccessibleName();
    update();
}

void TSkinButton::SetDownIn(bool downIn) {
    if (downIn == DownIn_)
        return;
    DownIn_ = downIn;
    update();
}

void TSkinButton::SetPicture(const QPixmap& picture) {
    Picture_ = picture;
    transparentPicture_ = WithMagentaTransparent(picture);
    update();
}

void TSkinButton::SetHavePicture(bool havePicture) {
    if (havePicture == HavePicture_)
        return;
    HavePicture_ = havePicture;
    update();
}

void TSkinButton::SetAlignment(TAlignment alignment) {
    if (alignment == Alignment_)
        return;
    Alignment_ = alignment;
    update();
}

QSize TSkinButton::sizeHint() const {
    if (style_ == sbsBtn)
        return {width(), hot_.height()};
    return hot_.size();
}

void TSkinButton::paintEvent(QPaintEvent*) {
    // The bitmaps are copied onto a surface of the button's own, exactly as they are (their
    // transparent pixels included); the surface is then laid over whatever is behind the
    // button, so glyphs sit on any title picture.
    QImage surface(size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    {
        QPainter painter(&surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (style_ == sbsBtn)
            PaintTextButton(painter);
        else
            PaintGlyph(painter);
    }
    QPainter(this).drawImage(0, 0, surface);
}

void TSkinButton::PaintGlyph(QPainter& painter) const {
    const QRect bitmapRect(QPoint(0, 0), hot_.size());
    painter.drawPixmap(bitmapRect, FHot ? hot_ : normal_, bitmapRect);
    if (FPressed && FHot)
        painter.drawPixmap(bitmapRect, pressed_, bitmapRect);
}

void TSkinButton::DrawSlices(QPainter& painter, const QPixmap& bitmap) const {
    const int w = width();
    const int h = height();
    const int wb = hot_.width();
    const int hb = hot_.height();
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

void TSkinButton::PaintTextButton(QPainter& painter) const {
    DrawSlices(painter, FHot ? hot_ : normal_);
    if ((FPressed && FHot) || DownIn_)
        DrawSlices(painter, pressed_);

    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(caption_);
    const int textHeight = metrics.height();
    const int w = width();
    const int h = height();

    int textLeft = 0;
    if (HavePicture_ && !transparentPicture_.isNull()) {
        const int pw = transparentPicture_.width();
        const int ph = transparentPicture_.height();
        const int left = roundHalfEven((w - textWidth - pw - kPictureGap) / 2.0);
        painter.drawPixmap(QRect(left, kPictureTop, pw, ph), transparentPicture_);
        textLeft = pw + left + kPictureGap;
    } else if (Alignment_ == taLeftJustify) {
        textLeft = kLeftText;
    } else {
        textLeft = roundHalfEven((w - textWidth) / 2.0);
    }
    painter.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
    const int textTop = roundHalfEven((h - textHeight) / 2.0);
    painter.drawText(QRect(textLeft, textTop, textWidth + 1, textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
}

void TSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    FPressed = true;
    update();
}

void TSkinButton::mouseMoveEvent(QMouseEvent* event) {
    // While the button is held the pointer may wander off it; the pressed look then gives way
    // to the normal one, and a release out there is no click.
    const bool over = rect().contains(event->position().toPoint());
    if (over != FHot) {
        FHot = over;
        update();
    }
    emit OnMouseMove(this, event);
}

void TSkinButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (FHot) {
        FHot = false;
        update();
    }
}

void TSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !FPressed) {
        event->ignore();
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    QPointer<TSkinButton> self(this);
    if (inside) {
        setFocus(Qt::MouseFocusReason);
        if (window()->focusWidget() == this)
            emit OnClick(this);
        if (!self)
            return;
    }
    FPressed = false;
    // Only a completed click swaps maximise and restore: a press dragged off the button runs
    // nothing, so the glyph must keep matching the window.
    if (inside) {
        if (style_ == sbsMax)
            LoadStyle(sbsNormal);
        else if (style_ == sbsNormal)
            LoadStyle(sbsMax);
    }
    update();
}
