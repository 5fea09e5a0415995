#include "chrome/TFrameImage.h"

#include <QMouseEvent>
#include <QPainter>

TFrameImage::TFrameImage(Fit fit, QWidget* parent) : QWidget(parent), fit_(fit) {
    if (fit_ == Fit::Stretch)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TFrameImage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    if (fit_ == Fit::Natural && !picture_.isNull())
        setFixedSize(picture_.deviceIndependentSize().toSize());
    updateGeometry();
    update();
}

QSize TFrameImage::sizeHint() const {
    return picture_.isNull() ? QSize(0, 0) : picture_.deviceIndependentSize().toSize();
}

void TFrameImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (fit_ == Fit::Stretch)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

void TFrameImage::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event);
}

void TFrameImage::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event);
}

void TFrameImage::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseReleased(event);
}
