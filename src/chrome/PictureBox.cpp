#include "chrome/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(Fit fit, QWidget* parent) : QWidget(parent), fit_(fit) {
    if (fit_ == Fit::Stretch)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    if (fit_ == Fit::Natural && !picture_.isNull())
        setFixedSize(picture_.deviceIndependentSize().toSize());
    updateGeometry();
    update();
}

QSize PictureBox::sizeHint() const {
    return picture_.isNull() ? QSize(0, 0) : picture_.deviceIndependentSize().toSize();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (fit_ == Fit::Stretch)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event);
}
