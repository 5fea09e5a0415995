#include "users/PasswordDialog.h"

#include "chrome/ErrorTexts.h"
#include "chrome/HandlerGuard.h"
#include "chrome/HeadingBanner.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "store/Accounts.h"
#include "store/Passwords.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

PasswordDialog::PasswordDialog(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), passwordQuery_(session.connectionName) {
    setObjectName(QStringLiteral("passwordDialog"));
    buildControls();
}

void PasswordDialog::buildControls() {
    setWindowTitle(QStringLiteral("密码修改"));
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral("密码修改")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    headingLabel = new QLabel(QStringLiteral("密码修改"), clientArea);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    bannerPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    bannerPicture->setObjectName(QStringLiteral("bannerPicture"));
    QWidget* banner =
        HeadingBanner::make(clientArea, headingLabel, bannerPicture, QStringLiteral("bannerUser"));

    oldPasswordLabel = new QLabel(QStringLiteral("原密码"), clientArea);
    oldPasswordLabel->setObjectName(QStringLiteral("oldPasswordLabel"));
    oldPasswordEdit = new QLineEdit(clientArea);
    oldPasswordEdit->setObjectName(QStringLiteral("oldPasswordEdit"));
    oldPasswordEdit->setEchoMode(QLineEdit::Password);
    oldPasswordEdit->setMaxLength(Passwords::kMaximumLength);
    oldPasswordEdit->setAccessibleName(oldPasswordLabel->text());
    oldPasswordLabel->setBuddy(oldPasswordEdit);

    newPasswordLabel = new QLabel(QStringLiteral("新密码"), clientArea);
    newPasswordLabel->setObjectName(QStringLiteral("newPasswordLabel"));
    newPasswordEdit = new QLineEdit(clientArea);
    newPasswordEdit->setObjectName(QStringLiteral("newPasswordEdit"));
    newPasswordEdit->setEchoMode(QLineEdit::Password);
    newPasswordEdit->setMaxLength(Passwords::kMaximumLength);
    newPasswordEdit->setAccessibleName(newPasswordLabel->text());
    newPasswordLabel->setBuddy(newPasswordEdit);

    changeButton = new QPushButton(QStringLiteral("修改"), clientArea);
    changeButton->setObjectName(QStringLiteral("changeButton"));
    changeButton->setDefault(true);
    changeButton->setMinimumWidth(90);
    exitButton = new QPushButton(QStringLiteral("退出"), clientArea);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    exitButton->setAutoDefault(false);
    exitButton->setMinimumWidth(90);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(14);
    fields->addWidget(oldPasswordLabel, 0, 0);
    fields->addWidget(oldPasswordEdit, 0, 1);
    fields->addWidget(newPasswordLabel, 1, 0);
    fields->addWidget(newPasswordEdit, 1, 1);
    fields->setColumnMinimumWidth(1, 240);

    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(fields);
    centred->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(changeButton);
    buttons->addWidget(exitButton);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addStretch(2);
    layout->addLayout(centred);
    layout->addSpacing(28);
    layout->addLayout(buttons);
    layout->addStretch(3);

    setTabOrder(oldPasswordEdit, newPasswordEdit);
    setTabOrder(newPasswordEdit, changeButton);
    setTabOrder(changeButton, exitButton);

    connect(oldPasswordEdit, &QLineEdit::textChanged, this,
            guardedSlot(this, &PasswordDialog::checkOldPassword));
    connect(changeButton, &QPushButton::clicked, this,
            guardedSlot(this, &PasswordDialog::changePassword));
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &PasswordDialog::onExitClicked));

    oldPasswordEdit->clear();
    newPasswordEdit->clear();
    changeButton->setEnabled(false);
    oldPasswordEdit->setFocus();
}

void PasswordDialog::checkOldPassword() {
    if (!Accounts::checkingPasswordIsCheap(passwordQuery_)) {
        changeButton->setEnabled(!oldPasswordEdit->text().isEmpty());
        return;
    }
    // An account that is gone (deleted meanwhile, from here or elsewhere) has no old password
    // to match: an empty edit must not unlock a change that would write nothing.
    changeButton->setEnabled(Accounts::passwordMatches(passwordQuery_, session_.currentUserKey,
                                                       session_.currentLoginName,
                                                       oldPasswordEdit->text()));
}

void PasswordDialog::changePassword() {
    const QString newPassword = newPasswordEdit->text();
    if (newPassword.trimmed().isEmpty() && !Accounts::acceptsEmptyPassword(passwordQuery_)) {
        MessageBoxes::information(QStringLiteral("新密码不能为空！"));
        newPasswordEdit->setFocus();
        return;
    }
    if (!Accounts::checkingPasswordIsCheap(passwordQuery_) &&
        !Accounts::passwordMatches(passwordQuery_, session_.currentUserKey,
                                   session_.currentLoginName, oldPasswordEdit->text())) {
        MessageBoxes::information(QStringLiteral("原密码不正确！"));
        oldPasswordEdit->setFocus();
        return;
    }
    try {
        Accounts::changePassword(passwordQuery_, session_.currentUserKey, newPassword);
    } catch (const std::exception& error) {
        // The old password still holds: the user hears why, and both edits stay for a retry.
        MessageBoxes::defaultError(QStringLiteral("密码未修改！\n") + ErrorTexts::of(error));
        return;
    }
    saved_ = true;
    MessageBoxes::information(QStringLiteral("密码修改成功，下次登录后生效！"));
    oldPasswordEdit->clear();
    newPasswordEdit->clear();
}

void PasswordDialog::onExitClicked() {
    close();
}
