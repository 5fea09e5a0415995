#include "calview/SpinButtons.h"

#include <QToolButton>
#include <algorithm>

SpinButtons::SpinButtons(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), position_(minimum),
      up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setObjectName(QStringLiteral("upButton"));
    down_->setObjectName(QStringLiteral("downButton"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(400);
        button->setAutoRepeatInterval(120);
    }
    up_->setAccessibleName(QStringLiteral("增加"));
    down_->setAccessibleName(QStringLiteral("减少"));
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    resize(16, 24);
    layoutButtons();
}

void SpinButtons::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void SpinButtons::step(int delta) {
    setPosition(position_ + delta);
    emit clicked();
}

void SpinButtons::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void SpinButtons::layoutButtons() {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
