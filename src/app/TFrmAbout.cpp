#include "app/TFrmAbout.h"

#include "chrome/Assets.h"
#include "platform/AppInfo.h"
#include "platform/HandlerGuard.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

TFrmAbout::TFrmAbout(QWidget* parent) : DialogShell(parent) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    Label1 = placeTitleLabel(new QLabel(QStringLiteral("关于系统")));
    Label1->setObjectName(QStringLiteral("Label1"));

    Image1 = new PictureBox(PictureBox::Fit::Natural, clientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(Assets::picture(QStringLiteral("about")));

    Label3 = new QLabel(AppInfo::kApplicationTitle, clientArea);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont titleFont = Label3->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    Label3->setFont(titleFont);

    Label2 = new QLabel(AboutText(), clientArea);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setToolTip(AppInfo::kSupplierWebPage);
    Label2->setWordWrap(true);
    Label2->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("退出"), clientArea);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, guardedSlot(this, &TFrmAbout::Button1Click));

    auto* text = new QVBoxLayout;
    text->addWidget(Label3);
    text->addSpacing(12);
    text->addWidget(Label2);
    text->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(Image1, 0, Qt::AlignTop);
    row->addSpacing(20);
    row->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

QString TFrmAbout::AboutText() {
    return QStringLiteral("版本 1.0\n\n一个供小组共用的定时提醒程序：发布提醒，按时弹出，"
                          "并附有万年历。\n\n出品：%1\n联系电话：%2\n网址：%3\n\n"
                          "单击此处访问我们的网站。")
        .arg(AppInfo::kSupplierName, AppInfo::kSupplierPhone, AppInfo::kSupplierWebPage);
}

bool TFrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        guarded([this] { Label2Click(); });
        return true;
    }
    return DialogShell::eventFilter(watched, event);
}

void TFrmAbout::Label2Click() {
    QDesktopServices::openUrl(QUrl(AppInfo::kSupplierWebPage));
}

void TFrmAbout::Button1Click() {
    close();
}
