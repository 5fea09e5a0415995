#include "users/TFrmLogin.h"

#include "chrome/Assets.h"
#include "platform/AppLifetime.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsFile.h"
#include "platform/TextConvert.h"
#include "store/NewStore.h"
#include "store/Statements.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmLogin::TFrmLogin(Session& session, LoginHost& host, QWidget* parent)
    : DialogShell(parent), session_(session), host_(host), ADOQuery1(session.connectionName) {
    setObjectName(QStringLiteral("FrmLogin"));
    FormCreate();
}

QString TFrmLogin::HintText() {
    return QStringLiteral("默认用户名/密码：admin / ") + NewStore::kAdminDefaultPassword;
}

void TFrmLogin::FormCreate() {
    setWindowTitle(QStringLiteral(" 登录系统"));
    Label1 = placeTitleLabel(new QLabel(QStringLiteral(" 登录系统")));
    Label1->setObjectName(QStringLiteral("Label1"));

    Image1 = new PictureBox(PictureBox::Fit::Natural, clientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(Assets::picture(QStringLiteral("login")));

    Label2 = new QLabel(QStringLiteral("登录账号"), clientArea);
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit1 = new QLineEdit(clientArea);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(10);
    Edit1->setAccessibleName(Label2->text());
    Label2->setBuddy(Edit1);

    Label3 = new QLabel(QStringLiteral("登录密码"), clientArea);
    Label3->setObjectName(QStringLiteral("Label3"));
    Edit2 = new QLineEdit(clientArea);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaxLength(15);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setAccessibleName(Label3->text());
    Label3->setBuddy(Edit2);

    Label4 = new QLabel(HintText(), clientArea);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setEnabled(false);
    QFont hintFont = Label4->font();
    hintFont.setPointSize(9);
    Label4->setFont(hintFont);

    btnlogin = new QPushButton(QStringLiteral("登录"), clientArea);
    btnlogin->setObjectName(QStringLiteral("btnlogin"));
    btnlogin->setAutoDefault(false);
    btnlogin->setFlat(true);
    btnexit = new QPushButton(QStringLiteral("退出"), clientArea);
    btnexit->setObjectName(QStringLiteral("btnexit"));
    btnexit->setAutoDefault(false);
    btnexit->setFlat(true);
    for (QPushButton* button : {btnlogin, btnexit}) {
        button->setMinimumSize(88, 30);
        button->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid #c8a27a; border-radius: 3px; background: #fdf3e7; }"
            "QPushButton:hover { background: #fbe2c4; }"
            "QPushButton:pressed { background: #f5c99a; }"));
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(14);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label4, 2, 1);
    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    row->addWidget(Image1, 0, Qt::AlignTop);
    row->addLayout(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnlogin);
    buttons->addWidget(btnexit);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(90, 110, 90, 40);
    layout->addLayout(row);
    layout->addSpacing(30);
    layout->addLayout(buttons);
    layout->addStretch();

    setTabOrder(Edit1, Edit2);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    connect(btnlogin, &QPushButton::clicked, this, guardedSlot(this, &TFrmLogin::btnloginClick));
    connect(btnexit, &QPushButton::clicked, this, guardedSlot(this, &TFrmLogin::btnexitClick));

    Edit1->clear();
    Edit2->clear();
}

void TFrmLogin::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again: the login name the
    // user has typed meanwhile stays.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrmLogin::FormShow() {
    Edit1->setText(SettingsFile::read(QStringLiteral("Login"), QStringLiteral("Name"), QString()));
    Edit1->setFocus();
}

bool TFrmLogin::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == Edit1) {
                Edit2->setFocus();
                return true;
            }
            if (watched == Edit2) {
                guarded([this] { btnloginClick(); });
                return true;
            }
        }
    }
    return DialogShell::eventFilter(watched, event);
}

void TFrmLogin::btnloginClick() {
    const QString logName = TextConvert::trim(Edit1->text());
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kLogin));
    ADOQuery1.bindText(QStringLiteral("p1"), logName);
    ADOQuery1.bindText(QStringLiteral("p2"), TextConvert::trim(Edit2->text()));
    ADOQuery1.open();
    if (ADOQuery1.recordCount() == 0) {
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统提示"), QStringLiteral("用户名或者密码错误！")});
        Edit1->setFocus();
        return;
    }
    session_.currentUserName = ADOQuery1.fieldAsString(QStringLiteral("UserTrueName"));
    session_.currentUserKey = static_cast<int>(ADOQuery1.fieldAsInteger(QStringLiteral("KeyID")));
    loggedIn_ = true;
    host_.ShowGreeting(session_.currentUserName);
    accept();
    host_.ApplyPermissions(session_.currentUserKey);
    // The login stands even if the remembered name cannot be written; the error is shown.
    try {
        SettingsFile::write(QStringLiteral("Login"), QStringLiteral("Name"), logName);
    } catch (const std::exception& error) {
        MessageBoxes::defaultError(QString::fromUtf8(error.what()));
    }
}

void TFrmLogin::btnexitClick() {
    AppLifetime::requestQuit();
    DialogShell::reject();
}

void TFrmLogin::reject() {
    // Closing the dialog any other way than by logging in ends the program: a main window
    // with nobody logged in can do nothing useful.
    if (!loggedIn_)
        AppLifetime::requestQuit();
    DialogShell::reject();
}
