#include "users/UserAccountsDialog.h"

#include "chrome/ErrorTexts.h"
#include "chrome/HandlerGuard.h"
#include "chrome/HeadingBanner.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "store/Accounts.h"
#include "store/Passwords.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>
#include <exception>
#include <utility>

namespace {

using Column = ReportList::Column;

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* makeEdit(QLabel* caption, const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setAccessibleName(caption->text());
    caption->setBuddy(edit);
    return edit;
}

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(80);
    return button;
}

} // namespace

UserAccountsDialog::UserAccountsDialog(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), accountsQuery_(session.connectionName) {
    setObjectName(QStringLiteral("userAccountsDialog"));
    buildControls();
}

void UserAccountsDialog::buildControls() {
    setWindowTitle(QStringLiteral("人员维护"));
    titleLabel = placeTitleLabel(makeLabel(QStringLiteral("人员维护"), "titleLabel", nullptr));

    // The client area wears the grey of the list's odd rows.
    QPalette grey = clientArea->palette();
    grey.setColor(QPalette::Window, ReportList::oddRowColor());
    clientArea->setPalette(grey);

    headingLabel = makeLabel(QStringLiteral("人员信息维护"), "headingLabel", clientArea);
    bannerPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    bannerPicture->setObjectName(QStringLiteral("bannerPicture"));
    QWidget* banner =
        HeadingBanner::make(clientArea, headingLabel, bannerPicture, QStringLiteral("bannerUser"));

    loginNameLabel = makeLabel(QStringLiteral("登录账号"), "loginNameLabel", clientArea);
    loginNameEdit = makeEdit(loginNameLabel, "loginNameEdit", 20, clientArea);
    trueNameLabel = makeLabel(QStringLiteral("真实姓名"), "trueNameLabel", clientArea);
    trueNameEdit = makeEdit(trueNameLabel, "trueNameEdit", 20, clientArea);
    passwordLabel = makeLabel(QStringLiteral("初始密码"), "passwordLabel", clientArea);
    passwordEdit = makeEdit(passwordLabel, "passwordEdit", Passwords::kMaximumLength, clientArea);
    passwordEdit->setEchoMode(QLineEdit::Password);
    remarksLabel = makeLabel(QStringLiteral("备注信息"), "remarksLabel", clientArea);
    remarksEdit = makeEdit(remarksLabel, "remarksEdit", 20, clientArea);

    adminCheckBox = new QCheckBox(QStringLiteral("是否管理员"), clientArea);
    adminCheckBox->setObjectName(QStringLiteral("adminCheckBox"));
    adminNoteLabel = makeLabel(QStringLiteral("管理员拥有最高权限"), "adminNoteLabel", clientArea);
    QPalette red = adminNoteLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    adminNoteLabel->setPalette(red);

    addButton = makeButton(QStringLiteral("添加"), "addButton", clientArea);
    undoButton = makeButton(QStringLiteral("撤销"), "undoButton", clientArea);
    undoButton->setEnabled(false);
    deleteButton = makeButton(QStringLiteral("删除"), "deleteButton", clientArea);
    deleteButton->setEnabled(false);
    saveButton = makeButton(QStringLiteral("保存"), "saveButton", clientArea);
    saveButton->setEnabled(false);
    exitButton = makeButton(QStringLiteral("退出"), "exitButton", clientArea);

    accountsLabel = makeLabel(QStringLiteral("人员列表"), "accountsLabel", clientArea);
    accountList = new ReportList(clientArea);
    accountList->setObjectName(QStringLiteral("accountList"));
    accountList->setAccessibleName(accountsLabel->text());
    accountList->setColumns({{Column::Number, QStringLiteral("编号"), 60},
                             {Column::LoginName, QStringLiteral("登录账号"), 150},
                             {Column::Name, QStringLiteral("真实姓名"), 150},
                             {Column::Remarks, QStringLiteral("备注信息"), 180},
                             {Column::Key, QStringLiteral("Keyid"), 0}});
    accountsLabel->setBuddy(accountList);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(loginNameLabel, 0, 0);
    fields->addWidget(loginNameEdit, 0, 1);
    fields->addWidget(trueNameLabel, 0, 3);
    fields->addWidget(trueNameEdit, 0, 4);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(passwordEdit, 1, 1);
    fields->addWidget(remarksLabel, 1, 3);
    fields->addWidget(remarksEdit, 1, 4);
    auto* flag = new QHBoxLayout;
    flag->setSpacing(12);
    flag->addWidget(adminCheckBox);
    flag->addWidget(adminNoteLabel);
    flag->addStretch(1);
    fields->addLayout(flag, 2, 1, 1, 4);
    fields->setColumnMinimumWidth(2, 24);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    for (QPushButton* button : {addButton, undoButton, deleteButton, saveButton, exitButton})
        buttons->addWidget(button);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->setSpacing(8);
    body->addLayout(fields);
    body->addLayout(buttons);
    body->addSpacing(4);
    body->addWidget(accountsLabel);
    body->addWidget(accountList, 1);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);

    setTabOrder(loginNameEdit, trueNameEdit);
    setTabOrder(trueNameEdit, passwordEdit);
    setTabOrder(passwordEdit, remarksEdit);
    setTabOrder(remarksEdit, adminCheckBox);

    const std::pair<QPushButton*, void (UserAccountsDialog::*)()> clicks[] = {
        {addButton, &UserAccountsDialog::startAdding},
        {undoButton, &UserAccountsDialog::cancelAdding},
        {saveButton, &UserAccountsDialog::saveAccount},
        {deleteButton, &UserAccountsDialog::deleteAccount},
        {exitButton, &UserAccountsDialog::onExitClicked},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, guardedSlot(this, handler));
    connect(accountList, &ReportList::selectedRowChanged, this,
            guardedSlot(this, &UserAccountsDialog::showSelectedAccount));

    clearEdits();
    resize(660, 520);
}

void UserAccountsDialog::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again.
    if (!event->spontaneous())
        guarded([this] { onShown(); });
}

void UserAccountsDialog::onShown() {
    loginNameEdit->setFocus();
    undoButton->setEnabled(false);
    deleteButton->setEnabled(false);
    saveButton->setEnabled(false);
    loadAccounts();
    setEditsReadOnly(true);
}

void UserAccountsDialog::loadAccounts() {
    accountsQuery_.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    accountsQuery_.open();
    QCoreApplication::processEvents();
    // Rows are about to go: whoever was selected is no longer, and the buttons follow.
    accountList->selectRow(-1);
    accountList->setUpdatesEnabled(false);
    accountList->clear();
    int number = 0;
    for (; !accountsQuery_.atEnd(); accountsQuery_.next()) {
        accountList->addRow(accountList->row(
            {{Column::Number, QString::number(++number)},
             {Column::LoginName, accountsQuery_.fieldAsString(QStringLiteral("UserLogName"))},
             {Column::Name, accountsQuery_.fieldAsString(QStringLiteral("UserTrueName"))},
             {Column::Remarks, accountsQuery_.fieldAsString(QStringLiteral("Remarks"))},
             {Column::Key, accountsQuery_.fieldAsString(QStringLiteral("keyid"))}}));
    }
    accountList->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

void UserAccountsDialog::setEditsReadOnly(bool readOnly) {
    for (QLineEdit* edit : {loginNameEdit, trueNameEdit, passwordEdit, remarksEdit})
        edit->setReadOnly(readOnly);
}

void UserAccountsDialog::clearEdits() {
    for (QLineEdit* edit : {loginNameEdit, trueNameEdit, passwordEdit, remarksEdit})
        edit->clear();
}

void UserAccountsDialog::startAdding() {
    clearEdits();
    addButton->setEnabled(false);
    deleteButton->setEnabled(false);
    undoButton->setEnabled(true);
    saveButton->setEnabled(true);
    loginNameEdit->setFocus();
    setEditsReadOnly(false);
}

void UserAccountsDialog::cancelAdding() {
    addButton->setEnabled(true);
    undoButton->setEnabled(false);
    saveButton->setEnabled(false);
    deleteButton->setEnabled(false);
}

void UserAccountsDialog::saveAccount() {
    const QString logName = TextConvert::trim(loginNameEdit->text());
    const QString trueName = TextConvert::trim(trueNameEdit->text());
    const QString password = TextConvert::trim(passwordEdit->text());
    const QString remarks = TextConvert::trim(remarksEdit->text());

    if (logName.isEmpty()) {
        MessageBoxes::information(QStringLiteral("请输入登录账号！"));
        loginNameEdit->setFocus();
        return;
    }
    if (trueName.isEmpty()) {
        MessageBoxes::information(QStringLiteral("请输入真实姓名！"));
        trueNameEdit->setFocus();
        return;
    }

    // A server knows each account as a role, whose name has room for 63 bytes.
    if (!Accounts::fitsStore(accountsQuery_, logName)) {
        MessageBoxes::information(QStringLiteral("登录账号太长，请重新输入！"));
        loginNameEdit->setFocus();
        return;
    }
    if (password.isEmpty() && !Accounts::acceptsEmptyPassword(accountsQuery_)) {
        MessageBoxes::information(QStringLiteral("请输入初始密码！"));
        passwordEdit->setFocus();
        return;
    }

    accountsQuery_.setStatement(QString::fromUtf8(Statements::kSelectUserByLogName));
    accountsQuery_.bindText(QStringLiteral("p"), logName);
    accountsQuery_.open();
    if (accountsQuery_.recordCount() >= 1) {
        MessageBoxes::information(QStringLiteral("此登录账号已经存在，请重新输入！"));
        loginNameEdit->setFocus();
        return;
    }

    try {
        accountsQuery_.setStatement(QString::fromUtf8(Statements::kInsertUser));
        accountsQuery_.bindText(QStringLiteral("p1"), logName);
        accountsQuery_.bindText(QStringLiteral("p2"), trueName);
        // Never the password itself: its verifier.
        accountsQuery_.bindText(QStringLiteral("p3"), Accounts::storedPassword(password));
        accountsQuery_.bindText(QStringLiteral("p4"), remarks);
        accountsQuery_.bindText(QStringLiteral("p5"), adminCheckBox->isChecked()
                                                          ? QStringLiteral("1")
                                                          : QStringLiteral("0"));
        accountsQuery_.execute();
    } catch (const std::exception& error) {
        // The account was not created: the user hears why, and what he typed stays for a retry.
        MessageBoxes::defaultError(QStringLiteral("人员信息未保存！\n") + ErrorTexts::of(error));
        return;
    }

    MessageBoxes::information(QStringLiteral("添加数据成功！"));
    clearEdits();
    addButton->setEnabled(true);
    undoButton->setEnabled(false);
    deleteButton->setEnabled(false);
    saveButton->setEnabled(false);
    loadAccounts();
    setEditsReadOnly(true);
}

void UserAccountsDialog::showSelectedAccount() {
    const int row = accountList->selectedRow();
    if (row < 0) {
        addButton->setEnabled(true);
        undoButton->setEnabled(false);
        deleteButton->setEnabled(false);
        saveButton->setEnabled(false);
        return;
    }
    loginNameEdit->setText(accountList->text(row, Column::LoginName));
    trueNameEdit->setText(accountList->text(row, Column::Name));
    accountsQuery_.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
    accountsQuery_.bindText(QStringLiteral("p"), accountList->text(row, Column::Key));
    accountsQuery_.open();
    // Nobody's password is shown, nor read: only a new account gets one here.
    passwordEdit->clear();
    adminCheckBox->setChecked(accountsQuery_.fieldAsInteger(QStringLiteral("IfAdmin")) == 1);
    accountsQuery_.close();
    remarksEdit->setText(accountList->text(row, Column::Remarks));
    undoButton->setEnabled(false);
    addButton->setEnabled(false);
    deleteButton->setEnabled(true);
}

void UserAccountsDialog::deleteAccount() {
    const int row = accountList->selectedRow();
    if (row < 0)
        return;
    if (!MessageBoxes::question(QStringLiteral("确定要删除此用户吗？")))
        return;
    try {
        accountsQuery_.setStatement(QString::fromUtf8(Statements::kDeleteUser));
        accountsQuery_.bindText(QStringLiteral("p"), accountList->text(row, Column::Key));
        accountsQuery_.execute();
    } catch (const std::exception& error) {
        MessageBoxes::defaultError(QStringLiteral("用户未删除！\n") + ErrorTexts::of(error));
        return;
    }
    MessageBoxes::information(QStringLiteral("删除用户成功！"));
    loadAccounts();
}

void UserAccountsDialog::onExitClicked() {
    close();
}
