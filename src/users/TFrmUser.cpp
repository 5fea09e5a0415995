#include "users/TFrmUser.h"

#include "chrome/HeadingBanner.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>
#include <exception>

namespace {

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

TFrmUser::TFrmUser(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), ADOQuery1(session.connectionName) {
    setObjectName(QStringLiteral("FrmUser"));
    FormCreate();
}

void TFrmUser::FormCreate() {
    setWindowTitle(QStringLiteral("人员维护"));
    Label1 = placeTitleLabel(makeLabel(QStringLiteral("人员维护"), "Label1", nullptr));

    // The client area wears the grey of the list's odd rows.
    QPalette grey = clientArea->palette();
    grey.setColor(QPalette::Window, ReportList::oddRowColor());
    clientArea->setPalette(grey);

    Label22 = makeLabel(QStringLiteral("人员信息维护"), "Label22", clientArea);
    Image1 = new PictureBox(PictureBox::Fit::Natural, clientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    QWidget* banner =
        HeadingBanner::make(clientArea, Label22, Image1, QStringLiteral("bannerUser"));

    Label2 = makeLabel(QStringLiteral("登录账号"), "Label2", clientArea);
    Edit1 = makeEdit(Label2, "Edit1", 20, clientArea);
    Label3 = makeLabel(QStringLiteral("真实姓名"), "Label3", clientArea);
    Edit2 = makeEdit(Label3, "Edit2", 20, clientArea);
    Label4 = makeLabel(QStringLiteral("初始密码"), "Label4", clientArea);
    Edit3 = makeEdit(Label4, "Edit3", 8, clientArea);
    Edit3->setEchoMode(QLineEdit::Password);
    Label5 = makeLabel(QStringLiteral("备注信息"), "Label5", clientArea);
    Edit4 = makeEdit(Label5, "Edit4", 20, clientArea);

    CheckBox1 = new QCheckBox(QStringLiteral("是否管理员"), clientArea);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Label7 = makeLabel(QStringLiteral("管理员拥有最高权限"), "Label7", clientArea);
    QPalette red = Label7->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label7->setPalette(red);

    btn_add = makeButton(QStringLiteral("添加"), "btn_add", clientArea);
    btn_edit = makeButton(QStringLiteral("撤销"), "btn_edit", clientArea);
    btn_edit->setEnabled(false);
    btn_del = makeButton(QStringLiteral("删除"), "btn_del", clientArea);
    btn_del->setEnabled(false);
    btn_save = makeButton(QStringLiteral("保存"), "btn_save", clientArea);
    btn_save->setEnabled(false);
    btn_exit = makeButton(QStringLiteral("退出"), "btn_exit", clientArea);

    Label6 = makeLabel(QStringLiteral("人员列表"), "Label6", clientArea);
    ListView1 = new ReportList(clientArea);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(Label6->text());
    ListView1->setColumns({{QStringLiteral("编号"), 60},
                           {QStringLiteral("登录账号"), 150},
                           {QStringLiteral("真实姓名"), 150},
                           {QStringLiteral("备注信息"), 180},
                           {QStringLiteral("Keyid"), 0}});
    Label6->setBuddy(ListView1);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label3, 0, 3);
    fields->addWidget(Edit2, 0, 4);
    fields->addWidget(Label4, 1, 0);
    fields->addWidget(Edit3, 1, 1);
    fields->addWidget(Label5, 1, 3);
    fields->addWidget(Edit4, 1, 4);
    auto* flag = new QHBoxLayout;
    flag->setSpacing(12);
    flag->addWidget(CheckBox1);
    flag->addWidget(Label7);
    flag->addStretch(1);
    fields->addLayout(flag, 2, 1, 1, 4);
    fields->setColumnMinimumWidth(2, 24);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    for (QPushButton* button : {btn_add, btn_edit, btn_del, btn_save, btn_exit})
        buttons->addWidget(button);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->setSpacing(8);
    body->addLayout(fields);
    body->addLayout(buttons);
    body->addSpacing(4);
    body->addWidget(Label6);
    body->addWidget(ListView1, 1);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, CheckBox1);

    connect(btn_add, &QPushButton::clicked, this, guardedSlot(this, &TFrmUser::btn_addClick));
    connect(btn_edit, &QPushButton::clicked, this, guardedSlot(this, &TFrmUser::btn_editClick));
    connect(btn_save, &QPushButton::clicked, this, guardedSlot(this, &TFrmUser::btn_saveClick));
    connect(btn_del, &QPushButton::clicked, this, guardedSlot(this, &TFrmUser::btn_delClick));
    connect(btn_exit, &QPushButton::clicked, this, guardedSlot(this, &TFrmUser::btn_exitClick));
    connect(ListView1, &ReportList::selectedRowChanged, this,
            guardedSlot(this, &TFrmUser::ListView1SelectItem));

    ClearEdits();
    resize(660, 520);
}

void TFrmUser::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrmUser::FormShow() {
    Edit1->setFocus();
    btn_edit->setEnabled(false);
    btn_del->setEnabled(false);
    btn_save->setEnabled(false);
    LoadList();
    SetEditsReadOnly(true);
}

void TFrmUser::LoadList() {
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    ADOQuery1.open();
    QCoreApplication::processEvents();
    // Rows are about to go: whoever was selected is no longer, and the buttons follow.
    ListView1->selectRow(-1);
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    int number = 0;
    for (; !ADOQuery1.atEnd(); ADOQuery1.next()) {
        ListView1->addRow({QString::number(++number),
                           ADOQuery1.fieldAsString(QStringLiteral("UserLogName")),
                           ADOQuery1.fieldAsString(QStringLiteral("UserTrueName")),
                           ADOQuery1.fieldAsString(QStringLiteral("Remarks")),
                           ADOQuery1.fieldAsString(QStringLiteral("keyid"))});
    }
    ListView1->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

void TFrmUser::SetEditsReadOnly(bool readOnly) {
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        edit->setReadOnly(readOnly);
}

void TFrmUser::ClearEdits() {
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        edit->clear();
}

void TFrmUser::btn_addClick() {
    ClearEdits();
    btn_add->setEnabled(false);
    btn_del->setEnabled(false);
    btn_edit->setEnabled(true);
    btn_save->setEnabled(true);
    Edit1->setFocus();
    SetEditsReadOnly(false);
}

void TFrmUser::btn_editClick() {
    btn_add->setEnabled(true);
    btn_edit->setEnabled(false);
    btn_save->setEnabled(false);
    btn_del->setEnabled(false);
}

void TFrmUser::btn_saveClick() {
    const QString logName = TextConvert::trim(Edit1->text());
    const QString trueName = TextConvert::trim(Edit2->text());
    const QString password = TextConvert::trim(Edit3->text());
    const QString remarks = TextConvert::trim(Edit4->text());

    if (logName.isEmpty()) {
        MessageBoxes::information(QStringLiteral("请输入登录账号！"));
        Edit1->setFocus();
        return;
    }
    if (trueName.isEmpty()) {
        MessageBoxes::information(QStringLiteral("请输入真实姓名！"));
        Edit2->setFocus();
        return;
    }

    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectUserByLogName));
    ADOQuery1.bindText(QStringLiteral("p"), logName);
    ADOQuery1.open();
    if (ADOQuery1.recordCount() >= 1) {
        MessageBoxes::information(QStringLiteral("此登录账号已经存在，请重新输入！"));
        Edit1->setFocus();
        return;
    }

    try {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kInsertUser));
        ADOQuery1.bindText(QStringLiteral("p1"), logName);
        ADOQuery1.bindText(QStringLiteral("p2"), trueName);
        ADOQuery1.bindText(QStringLiteral("p3"), password);
        ADOQuery1.bindText(QStringLiteral("p4"), remarks);
        ADOQuery1.bindText(QStringLiteral("p5"),
                           CheckBox1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        ADOQuery1.execute();
    } catch (const std::exception& error) {
        // The account was not created: the user hears why, and what he typed stays for a retry.
        MessageBoxes::defaultError(QStringLiteral("人员信息未保存！\n") +
                                   QString::fromUtf8(error.what()));
        return;
    }

    MessageBoxes::information(QStringLiteral("添加数据成功！"));
    ClearEdits();
    btn_add->setEnabled(true);
    btn_edit->setEnabled(false);
    btn_del->setEnabled(false);
    btn_save->setEnabled(false);
    LoadList();
    SetEditsReadOnly(true);
}

void TFrmUser::ListView1SelectItem() {
    const int row = ListView1->selectedRow();
    if (row < 0) {
        btn_add->setEnabled(true);
        btn_edit->setEnabled(false);
        btn_del->setEnabled(false);
        btn_save->setEnabled(false);
        return;
    }
    Edit1->setText(ListView1->text(row, 1));
    Edit2->setText(ListView1->text(row, 2));
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
    ADOQuery1.bindText(QStringLiteral("p"), ListView1->text(row, kKeyColumn));
    ADOQuery1.open();
    Edit3->setText(ADOQuery1.fieldAsString(QStringLiteral("UserPwd")));
    CheckBox1->setChecked(ADOQuery1.fieldAsInteger(QStringLiteral("IfAdmin")) == 1);
    ADOQuery1.close();
    Edit4->setText(ListView1->text(row, 3));
    btn_edit->setEnabled(false);
    btn_add->setEnabled(false);
    btn_del->setEnabled(true);
}

void TFrmUser::btn_delClick() {
    const int row = ListView1->selectedRow();
    if (row < 0)
        return;
    if (!MessageBoxes::question(QStringLiteral("确定要删除此用户吗？")))
        return;
    try {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kDeleteUser));
        ADOQuery1.bindText(QStringLiteral("p"), ListView1->text(row, kKeyColumn));
        ADOQuery1.execute();
    } catch (const std::exception& error) {
        MessageBoxes::defaultError(QStringLiteral("用户未删除！\n") +
                                   QString::fromUtf8(error.what()));
        return;
    }
    MessageBoxes::information(QStringLiteral("删除用户成功！"));
    LoadList();
}

void TFrmUser::btn_exitClick() {
    close();
}
