#include "users/LoginDialog.h"

#include "chrome/Assets.h"
#include "chrome/ErrorTexts.h"
#include "chrome/HandlerGuard.h"
#include "platform/AppLifetime.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsFile.h"
#include "platform/TextConvert.h"
#include "store/NewStore.h"
#include "store/Accounts.h"
#include "store/Passwords.h"
#include "store/StoreError.h"
#include "users/PasswordDialog.h"
#include "platform/ModalRunner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

LoginDialog::LoginDialog(Session& session, LoginHost& host, QWidget* parent)
    : DialogShell(parent), session_(session), host_(host), loginQuery_(session.connectionName) {
    setObjectName(QStringLiteral("loginDialog"));
    buildControls();
}

QString LoginDialog::hintText() {
    return QStringLiteral("默认用户名/密码：admin / ") + NewStore::kAdminDefaultPassword;
}

void LoginDialog::buildControls() {
    setWindowTitle(QStringLiteral(" 登录系统"));
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral(" 登录系统")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    loginPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    loginPicture->setObjectName(QStringLiteral("loginPicture"));
    loginPicture->setPicture(Assets::picture(QStringLiteral("login")));

    loginNameLabel = new QLabel(QStringLiteral("登录账号"), clientArea);
    loginNameLabel->setObjectName(QStringLiteral("loginNameLabel"));
    loginNameEdit = new QLineEdit(clientArea);
    loginNameEdit->setObjectName(QStringLiteral("loginNameEdit"));
    loginNameEdit->setMaxLength(Accounts::kLongestLoginName);
    loginNameEdit->setAccessibleName(loginNameLabel->text());
    loginNameLabel->setBuddy(loginNameEdit);

    passwordLabel = new QLabel(QStringLiteral("登录密码"), clientArea);
    passwordLabel->setObjectName(QStringLiteral("passwordLabel"));
    passwordEdit = new QLineEdit(clientArea);
    passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    passwordEdit->setMaxLength(Passwords::kMaximumLength);
    passwordEdit->setEchoMode(QLineEdit::Password);
    passwordEdit->setAccessibleName(passwordLabel->text());
    passwordLabel->setBuddy(passwordEdit);

    hintLabel = new QLabel(hintText(), clientArea);
    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    hintLabel->setEnabled(false);
    QFont hintFont = hintLabel->font();
    hintFont.setPointSize(9);
    hintLabel->setFont(hintFont);
    // A server's administrator chose his password when the store was made.
    hintLabel->setVisible(Accounts::mayHaveInitialPassword(loginQuery_));

    loginButton = new QPushButton(QStringLiteral("登录"), clientArea);
    loginButton->setObjectName(QStringLiteral("loginButton"));
    loginButton->setAutoDefault(false);
    loginButton->setFlat(true);
    exitButton = new QPushButton(QStringLiteral("退出"), clientArea);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    exitButton->setAutoDefault(false);
    exitButton->setFlat(true);
    for (QPushButton* button : {loginButton, exitButton}) {
        button->setMinimumSize(88, 30);
        button->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid #c8a27a; border-radius: 3px; background: #fdf3e7; }"
            "QPushButton:hover { background: #fbe2c4; }"
            "QPushButton:pressed { background: #f5c99a; }"));
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(14);
    grid->addWidget(loginNameLabel, 0, 0);
    grid->addWidget(loginNameEdit, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(passwordEdit, 1, 1);
    grid->addWidget(hintLabel, 2, 1);
    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    row->addWidget(loginPicture, 0, Qt::AlignTop);
    row->addLayout(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(loginButton);
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(90, 110, 90, 40);
    layout->addLayout(row);
    layout->addSpacing(30);
    layout->addLayout(buttons);
    layout->addStretch();

    setTabOrder(loginNameEdit, passwordEdit);
    loginNameEdit->installEventFilter(this);
    passwordEdit->installEventFilter(this);
    connect(loginButton, &QPushButton::clicked, this, guardedSlot(this, &LoginDialog::logIn));
    connect(exitButton, &QPushButton::clicked, this, guardedSlot(this, &LoginDialog::quitProgram));

    loginNameEdit->clear();
    passwordEdit->clear();
}

void LoginDialog::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again: the login name the
    // user has typed meanwhile stays.
    if (!event->spontaneous())
        guarded([this] { onShown(); });
}

void LoginDialog::onShown() {
    loginNameEdit->setText(
        SettingsFile::read(QStringLiteral("Login"), QStringLiteral("Name"), QString()));
    loginNameEdit->setFocus();
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == loginNameEdit) {
                passwordEdit->setFocus();
                return true;
            }
            if (watched == passwordEdit) {
                guarded([this] { logIn(); });
                return true;
            }
        }
    }
    return DialogShell::eventFilter(watched, event);
}

void LoginDialog::logIn() {
    const QString logName = TextConvert::trim(loginNameEdit->text());
    std::optional<Accounts::LoggedIn> account;
    try {
        account = Accounts::logIn(loginQuery_, logName, passwordEdit->text());
    } catch (const StoreError& error) {
        refuseStore(error);
        return;
    }
    if (!account) {
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统提示"), QStringLiteral("用户名或者密码错误！")});
        loginNameEdit->setFocus();
        return;
    }
    session_.currentUserName = account->trueName;
    session_.currentUserKey = account->key;
    session_.currentLoginName = logName;
    // The initial administrator password opens nothing but the choice of a new one.
    if (account->mustChangePassword && !choseNewPassword()) {
        session_.currentUserKey = 0;
        session_.currentUserName.clear();
        session_.currentLoginName.clear();
        quitProgram();
        return;
    }
    loggedIn_ = true;
    host_.showGreeting(session_.currentUserName);
    accept();
    host_.applyPermissions(session_.currentUserKey);
    // The login stands even if the remembered name cannot be written; the error is shown.
    try {
        SettingsFile::write(QStringLiteral("Login"), QStringLiteral("Name"), logName);
    } catch (const std::exception& error) {
        MessageBoxes::defaultError(ErrorTexts::of(error));
    }
}

bool LoginDialog::choseNewPassword() {
    MessageBoxes::information(QStringLiteral("这是初始密码，请先修改密码！"));
    PasswordDialog dialog(session_, this);
    ModalRunner::run(dialog);
    return dialog.savedNewPassword();
}

void LoginDialog::refuseStore(const StoreError& error) {
    MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                        QStringLiteral("系统错误:"), ErrorTexts::connectionFailure(error)});
    // A server that cannot be reached now may be reached at the next try; a store that is no
    // store, or not upgraded, will not be.
    if (error.kind() == StoreError::Kind::NoSuchTable ||
        error.kind() == StoreError::Kind::NotUpgraded)
        quitProgram();
}

void LoginDialog::quitProgram() {
    AppLifetime::requestQuit();
    DialogShell::reject();
}

void LoginDialog::reject() {
    // Closing the dialog any other way than by logging in ends the program: a main window
    // with nobody logged in can do nothing useful.
    if (!loggedIn_)
        AppLifetime::requestQuit();
    DialogShell::reject();
}
