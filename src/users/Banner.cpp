#include "users/Banner.h"

#include "chrome/Assets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

QWidget* Banner::Make(QWidget* parent, QLabel* heading, QLabel* picture,
                      const QString& pictureName) {
    auto* banner = new QWidget(parent);
    banner->setObjectName(QStringLiteral("Banner"));
    banner->setAutoFillBackground(true);
    QPalette white = banner->palette();
    white.setColor(QPalette::Window, Qt::white);
    banner->setPalette(white);
    banner->setFixedHeight(kHeight);

    heading->setParent(banner);
    QFont font = heading->font();
    font.setPointSize(15);
    font.setBold(true);
    heading->setFont(font);
    QPalette text = heading->palette();
    text.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x33));
    heading->setPalette(text);

    picture->setParent(banner);
    const QPixmap pixmap = Assets::Picture(pictureName);
    picture->setPixmap(pixmap);
    if (!pixmap.isNull())
        picture->setFixedSize(pixmap.size());

    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(16, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(heading, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(picture, 0, Qt::AlignRight | Qt::AlignVCenter);
    return banner;
}
