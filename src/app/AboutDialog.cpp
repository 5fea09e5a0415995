#include "app/AboutDialog.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "platform/AppInfo.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : DialogShell(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("关于"));
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral("关于系统")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    aboutPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    aboutPicture->setObjectName(QStringLiteral("aboutPicture"));
    aboutPicture->setPicture(Assets::picture(QStringLiteral("about")));

    programNameLabel = new QLabel(AppInfo::kApplicationTitle, clientArea);
    programNameLabel->setObjectName(QStringLiteral("programNameLabel"));
    QFont titleFont = programNameLabel->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    programNameLabel->setFont(titleFont);

    supplierLabel = new QLabel(aboutText(), clientArea);
    supplierLabel->setObjectName(QStringLiteral("supplierLabel"));
    supplierLabel->setTextFormat(Qt::PlainText);
    supplierLabel->setCursor(Qt::PointingHandCursor);
    supplierLabel->setToolTip(AppInfo::kSupplierWebPage);
    supplierLabel->setWordWrap(true);
    supplierLabel->installEventFilter(this);

    exitButton = new QPushButton(QStringLiteral("退出"), clientArea);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &AboutDialog::onExitClicked));

    auto* text = new QVBoxLayout;
    text->addWidget(programNameLabel);
    text->addSpacing(12);
    text->addWidget(supplierLabel);
    text->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(aboutPicture, 0, Qt::AlignTop);
    row->addSpacing(20);
    row->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

QString AboutDialog::aboutText() {
    return QStringLiteral("版本 1.0\n\n一个供小组共用的定时提醒程序：发布提醒，按时弹出，"
                          "并附有万年历。\n\n出品：%1\n联系电话：%2\n网址：%3\n\n"
                          "单击此处访问我们的网站。")
        .arg(AppInfo::kSupplierName, AppInfo::kSupplierPhone, AppInfo::kSupplierWebPage);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == supplierLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        guarded([this] { openSupplierPage(); });
        return true;
    }
    return DialogShell::eventFilter(watched, event);
}

void AboutDialog::openSupplierPage() {
    QDesktopServices::openUrl(QUrl(AppInfo::kSupplierWebPage));
}

void AboutDialog::onExitClicked() {
    close();
}
