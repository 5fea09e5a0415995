#include "app/FirstStartDialog.h"

#include "chrome/ErrorTexts.h"
#include "chrome/HandlerGuard.h"
#include "chrome/HeadingBanner.h"
#include "platform/AppLocations.h"
#include "platform/FilePickers.h"
#include "platform/MessageBoxes.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/StoreError.h"

#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QString kStoreFilter = QStringLiteral("数据文件 (*.mcm);;所有文件 (*)");

QPushButton* choiceButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumSize(150, 32);
    return button;
}
} // namespace

FirstStartDialog::FirstStartDialog(const QString& missingLocation, QWidget* parent)
    : DialogShell(parent) {
    setObjectName(QStringLiteral("firstStartDialog"));
    setWindowTitle(QStringLiteral("选择数据文件"));
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral("选择数据文件")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    headingLabel = new QLabel(QStringLiteral("选择数据文件"), clientArea);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    bannerPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    bannerPicture->setObjectName(QStringLiteral("bannerPicture"));
    QWidget* banner =
        HeadingBanner::make(clientArea, headingLabel, bannerPicture, QStringLiteral("bannerUser"));

    explanationLabel = new QLabel(explanationText(missingLocation), clientArea);
    explanationLabel->setObjectName(QStringLiteral("explanationLabel"));
    explanationLabel->setTextFormat(Qt::PlainText);
    explanationLabel->setWordWrap(true);
    explanationLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    openExistingButton =
        choiceButton(QStringLiteral("打开已有的数据文件…"), "openExistingButton", clientArea);
    openExistingButton->setDefault(true);
    createNewButton = choiceButton(QStringLiteral("新建数据文件…"), "createNewButton", clientArea);
    exitButton = choiceButton(QStringLiteral("退出"), "exitButton", clientArea);
    exitButton->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(openExistingButton);
    buttons->addWidget(createNewButton);
    buttons->addWidget(exitButton);
    buttons->addStretch(1);

    // A team on a database server names it here instead of a file.
    serverLabel = new QLabel(QStringLiteral("数据库服务器："), clientArea);
    serverLabel->setObjectName(QStringLiteral("serverLabel"));
    serverEdit = new QLineEdit(clientArea);
    serverEdit->setObjectName(QStringLiteral("serverEdit"));
    serverEdit->setAccessibleName(serverLabel->text().chopped(1));
    serverEdit->setPlaceholderText(QStringLiteral("postgresql://用户@服务器:5432/qxreminder"));
    serverLabel->setBuddy(serverEdit);
    connectServerButton = new QPushButton(QStringLiteral("连接服务器"), clientArea);
    connectServerButton->setObjectName(QStringLiteral("connectServerButton"));
    connectServerButton->setMinimumSize(90, 28);
    auto* server = new QHBoxLayout;
    server->setContentsMargins(36, 0, 36, 0);
    server->setSpacing(8);
    server->addWidget(serverLabel);
    server->addWidget(serverEdit, 1);
    server->addWidget(connectServerButton);

    auto* text = new QHBoxLayout;
    text->setContentsMargins(36, 0, 36, 0);
    text->addWidget(explanationLabel);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addStretch(2);
    layout->addLayout(text);
    layout->addSpacing(32);
    layout->addLayout(buttons);
    layout->addStretch(2);
    layout->addLayout(server);
    layout->addStretch(1);

    setTabOrder(openExistingButton, createNewButton);
    setTabOrder(createNewButton, exitButton);
    setTabOrder(exitButton, serverEdit);
    setTabOrder(serverEdit, connectServerButton);
    connect(openExistingButton, &QPushButton::clicked, this,
            guardedSlot(this, &FirstStartDialog::openExisting));
    connect(createNewButton, &QPushButton::clicked, this,
            guardedSlot(this, &FirstStartDialog::createNew));
    connect(connectServerButton, &QPushButton::clicked, this,
            guardedSlot(this, &FirstStartDialog::connectServer));
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &FirstStartDialog::onExitClicked));
    openExistingButton->setFocus();
    resize(640, 480);
}

QString FirstStartDialog::explanationText(const QString& missingLocation) {
    QString text = QStringLiteral("提醒、账号和权限都保存在一个数据文件中。同组的人共用这个文件，"
                                  "通常把它放在大家都能访问的共享文件夹里。\n\n");
    if (missingLocation.isEmpty())
        text += QStringLiteral("本程序还没有指定数据文件。");
    else
        text += QStringLiteral("找不到设置中指定的数据文件：\n%1\n\n")
                    .arg(QDir::toNativeSeparators(missingLocation));
    text += QStringLiteral("请打开同事已在使用的数据文件；如果还没有，就新建一个，"
                           "然后用 %1 登录，密码为 %2。")
                .arg(NewStore::kAdminLogName, NewStore::kAdminDefaultPassword);
    return text;
}

void FirstStartDialog::openExisting() {
    const QString path = FilePickers::pick(this, {FilePickers::Purpose::OpenExisting,
                                                  QStringLiteral("打开已有的数据文件"),
                                                  QDir::homePath(), kStoreFilter});
    if (path.isEmpty())
        return;
    chosenLocation_ = path;
    createdNewStore_ = false;
    accept();
}

void FirstStartDialog::createNew() {
    const QString path = FilePickers::pick(
        this, {FilePickers::Purpose::SaveNew, QStringLiteral("新建数据文件"),
               QDir::home().filePath(AppLocations::kStoreFileName), kStoreFilter});
    if (path.isEmpty())
        return;
    try {
        NewStore::create(path);
    } catch (const StoreError& error) {
        // Nothing was chosen: the user picks another place or another way.
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统提示"),
                            QStringLiteral("新建数据文件失败：\n") + ErrorTexts::of(error)});
        return;
    }
    chosenLocation_ = path;
    createdNewStore_ = true;
    accept();
}

void FirstStartDialog::connectServer() {
    const QString address = serverEdit->text().trimmed();
    if (Connection::engineOf(address) != Engine::Postgres) {
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统提示"),
                            QStringLiteral("请输入以 postgresql:// 开头的服务器地址。")});
        serverEdit->setFocus();
        return;
    }
    // Whether the server answers is the start-up's to find out, with the server's own words.
    chosenLocation_ = address;
    createdNewStore_ = false;
    accept();
}

void FirstStartDialog::onExitClicked() {
    close();
}
