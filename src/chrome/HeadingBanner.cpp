#include "chrome/HeadingBanner.h"

#include "chrome/Assets.h"

#include <QHBoxLayout>

QWidget* HeadingBanner::make(QWidget* parent, QLabel* heading, PictureBox* picture,
                             const QString& pictureName) {
    auto* banner = new QWidget(parent);
    banner->setAutoFillBackground(true);
    QPalette white = banner->palette();
    white.setColor(QPalette::Window, Qt::white);
    banner->setPalette(white);
    banner->setFixedHeight(kHeight);

    heading->setParent(banner);
    QFont font = heading->font();
    font.setPointSize(16);
    font.setBold(true);
    heading->setFont(font);
    QPalette text = heading->palette();
    text.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x33));
    heading->setPalette(text);

    picture->setParent(banner);
    picture->setPicture(Assets::picture(pictureName));

    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(16, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(heading, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(picture, 0, Qt::AlignRight | Qt::AlignVCenter);
    return banner;
}
