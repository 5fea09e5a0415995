#include "users/TFrmModifyPwd.h"

#include "chrome/HeadingBanner.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "store/Statements.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

TFrmModifyPwd::TFrmModifyPwd(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), ADOQuery1(session.connectionName) {
    setObjectName(QStringLiteral("FrmModifyPwd"));
    FormCreate();
}

void TFrmModifyPwd::FormCreate() {
    setWindowTitle(QStringLiteral("密码修改"));
    Label1 = placeTitleLabel(new QLabel(QStringLiteral("密码修改")));
    Label1->setObjectName(QStringLiteral("Label1"));

    Label22 = new QLabel(QStringLiteral("密码修改"), clientArea);
    Label22->setObjectName(QStringLiteral("Label22"));
    Image1 = new PictureBox(PictureBox::Fit::Natural, clientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    QWidget* banner =
        HeadingBanner::make(clientArea, Label22, Image1, QStringLiteral("bannerUser"));

    Label2 = new QLabel(QStringLiteral("原密码"), clientArea);
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit1 = new QLineEdit(clientArea);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setAccessibleName(Label2->text());
    Label2->setBuddy(Edit1);

    Label3 = new QLabel(QStringLiteral("新密码"), clientArea);
    Label3->setObjectName(QStringLiteral("Label3"));
    Edit2 = new QLineEdit(clientArea);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setAccessibleName(Label3->text());
    Label3->setBuddy(Edit2);

    BitBtn1 = new QPushButton(QStringLiteral("修改"), clientArea);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(90);
    BitBtn2 = new QPushButton(QStringLiteral("退出"), clientArea);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setMinimumWidth(90);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(14);
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label3, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->setColumnMinimumWidth(1, 240);

    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(fields);
    centred->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
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

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(Edit1, &QLineEdit::textChanged, this, guardedSlot(this, &TFrmModifyPwd::Edit1Change));
    connect(BitBtn1, &QPushButton::clicked, this, guardedSlot(this, &TFrmModifyPwd::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guardedSlot(this, &TFrmModifyPwd::BitBtn2Click));

    Edit1->clear();
    Edit2->clear();
    BitBtn1->setEnabled(false);
    Edit1->setFocus();
}

void TFrmModifyPwd::Edit1Change() {
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
    ADOQuery1.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    ADOQuery1.open();
    // An account that is gone (deleted meanwhile, from here or elsewhere) has no old password
    // to match: an empty edit must not unlock a change that would write nothing.
    const bool matches =
        ADOQuery1.recordCount() >= 1 &&
        TextConvert::trim(Edit1->text()) == ADOQuery1.fieldAsString(QStringLiteral("UserPwd"));
    BitBtn1->setEnabled(matches);
    ADOQuery1.close();
}

void TFrmModifyPwd::BitBtn1Click() {
    try {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kUpdatePassword));
        ADOQuery1.bindText(QStringLiteral("p"), TextConvert::trim(Edit2->text()));
        ADOQuery1.bindInteger(QStringLiteral("p1"), session_.currentUserKey);
        ADOQuery1.execute();
    } catch (const std::exception& error) {
        // The old password still holds: the user hears why, and both edits stay for a retry.
        MessageBoxes::defaultError(QStringLiteral("密码未修改！\n") +
                                   QString::fromUtf8(error.what()));
        return;
    }
    MessageBoxes::information(QStringLiteral("密码修改成功，下次登录后生效！"));
    Edit1->clear();
    Edit2->clear();
    ADOQuery1.close();
}

void TFrmModifyPwd::BitBtn2Click() {
    close();
}
