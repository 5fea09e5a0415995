#include "users/TFrmPopdem.h"

#include "chrome/Assets.h"
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

// A flat button still shows a thin outline, so that it reads as a button and not as a label.
const char* const kFlatLook =
    "QPushButton { border: 1px solid #b4b4b4; border-radius: 3px; padding: 4px 10px;"
    " background: transparent; }"
    "QPushButton:hover { border-color: #5b8fc9; background: #eaf2fb; }"
    "QPushButton:pressed { background: #d5e4f5; }"
    "QPushButton:disabled { color: #a0a0a0; border-color: #d4d4d4; }";

QPushButton* makeFlatButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setStyleSheet(QString::fromLatin1(kFlatLook));
    return button;
}

QCheckBox* makeBox(const QString& text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TFrmPopdem::TFrmPopdem(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), ADOQuery1(session.connectionName) {
    setObjectName(QStringLiteral("FrmPopdem"));
    FormCreate();
}

void TFrmPopdem::FormCreate() {
    setWindowTitle(QStringLiteral("权限维护"));
    Label1 = placeTitleLabel(new QLabel(QStringLiteral("权限维护")));
    Label1->setObjectName(QStringLiteral("Label1"));

    Label22 = new QLabel(QStringLiteral("用户权限信息维护"), clientArea);
    Label22->setObjectName(QStringLiteral("Label22"));
    Image1 = new PictureBox(PictureBox::Fit::Natural, clientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    QWidget* banner =
        HeadingBanner::make(clientArea, Label22, Image1, QStringLiteral("bannerUser"));

    GroupBox1 = new QGroupBox(QStringLiteral("选择用户"), clientArea);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedWidth(178);
    ListView1 = new ReportList(GroupBox1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(GroupBox1->title());
    ListView1->setCheckBoxes(true);
    ListView1->setColumns({{QStringLiteral("用户名"), 150}, {QString(), 0}});
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SpeedButton1 = makeFlatButton(QStringLiteral("全选"), "SpeedButton1", GroupBox1);
    SpeedButton2 = makeFlatButton(QStringLiteral("全删"), "SpeedButton2", GroupBox1);
    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(SpeedButton1);
    tickButtons->addWidget(SpeedButton2);
    auto* users = new QVBoxLayout(GroupBox1);
    users->setContentsMargins(6, 6, 6, 6);
    users->addWidget(ListView1, 1);
    users->addLayout(tickButtons);

    GroupBox3 = new QGroupBox(QStringLiteral("菜单 - 系统管理选项"), clientArea);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    CheckBox1 = makeBox(QStringLiteral("人员维护"), "CheckBox1", GroupBox3);
    CheckBox2 = makeBox(QStringLiteral("权限设置"), "CheckBox2", GroupBox3);
    auto* menus = new QGridLayout(GroupBox3);
    menus->setContentsMargins(16, 12, 16, 12);
    menus->setHorizontalSpacing(24);
    menus->addWidget(CheckBox1, 0, 0);
    menus->addWidget(CheckBox2, 0, 1);
    menus->setColumnStretch(2, 1);

    GroupBox4 = new QGroupBox(QStringLiteral("按钮 - 快捷操作"), clientArea);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    CheckBox3 = makeBox(QStringLiteral("添加提醒"), "CheckBox3", GroupBox4);
    CheckBox4 = makeBox(QStringLiteral("编辑提醒"), "CheckBox4", GroupBox4);
    CheckBox5 = makeBox(QStringLiteral("删除提醒"), "CheckBox5", GroupBox4);
    CheckBox6 = makeBox(QStringLiteral("快速发布"), "CheckBox6", GroupBox4);
    CheckBox7 = makeBox(QStringLiteral("生日提醒"), "CheckBox7", GroupBox4);
    CheckBox8 = makeBox(QStringLiteral("约会提醒"), "CheckBox8", GroupBox4);
    CheckBox9 = makeBox(QStringLiteral("纪念日提醒"), "CheckBox9", GroupBox4);
    auto* quick = new QGridLayout(GroupBox4);
    quick->setContentsMargins(16, 12, 16, 12);
    quick->setHorizontalSpacing(24);
    quick->setVerticalSpacing(12);
    QCheckBox* const quickBoxes[] = {CheckBox3, CheckBox4, CheckBox5, CheckBox6,
                                     CheckBox7, CheckBox8, CheckBox9};
    for (int i = 0; i < 7; ++i)
        quick->addWidget(quickBoxes[i], i / 3, i % 3);
    quick->setColumnStretch(3, 1);

    SpeedButton3 = makeFlatButton(QStringLiteral("保存"), "SpeedButton3", clientArea);
    SpeedButton3->setEnabled(false);
    SpeedButton3->setMinimumWidth(80);
    SpeedButton4 = makeFlatButton(QStringLiteral("退出"), "SpeedButton4", clientArea);
    SpeedButton4->setMinimumWidth(80);
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(SpeedButton3);
    actions->addWidget(SpeedButton4);

    auto* right = new QVBoxLayout;
    right->setSpacing(12);
    right->addWidget(GroupBox3);
    right->addWidget(GroupBox4);
    right->addStretch(1);
    right->addLayout(actions);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(12);
    body->addWidget(GroupBox1);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);

    connect(ListView1, &ReportList::selectedRowChanged, this,
            guardedSlot(this, &TFrmPopdem::ListView1SelectItem));
    connect(SpeedButton1, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmPopdem::SpeedButton1Click));
    connect(SpeedButton2, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmPopdem::SpeedButton2Click));
    connect(SpeedButton3, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmPopdem::SpeedButton3Click));
    connect(SpeedButton4, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmPopdem::SpeedButton4Click));

    resize(640, 480);
}

std::array<QCheckBox*, Permissions::kPositions> TFrmPopdem::Boxes() const {
    return {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5,
            CheckBox6, CheckBox7, CheckBox8, CheckBox9};
}

void TFrmPopdem::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrmPopdem::FormShow() {
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    ADOQuery1.open();
    QCoreApplication::processEvents();
    // Whoever was selected goes with the old rows, and the boxes and Save follow.
    ListView1->selectRow(-1);
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    const QIcon icon(Assets::picture(QStringLiteral("listUser")));
    for (; !ADOQuery1.atEnd(); ADOQuery1.next()) {
        ListView1->addRow({ADOQuery1.fieldAsString(QStringLiteral("UserTrueName")),
                           ADOQuery1.fieldAsString(QStringLiteral("keyid"))},
                          icon);
    }
    ListView1->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

void TFrmPopdem::ShowGrants(const Permissions::Grants& grants) {
    const auto boxes = Boxes();
    for (int i = 0; i < Permissions::kPositions; ++i)
        boxes[i]->setChecked(grants[i]);
}

void TFrmPopdem::ListView1SelectItem() {
    const int row = ListView1->selectedRow();
    if (row < 0) {
        ShowGrants({});
        SpeedButton3->setEnabled(false);
        return;
    }
    const int key = TextConvert::toInt(ListView1->text(row, kKeyColumn));
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectPermission));
    ADOQuery1.bindInteger(QStringLiteral("p"), key);
    ADOQuery1.open();
    const QString text = ADOQuery1.recordCount() == 0
                             ? QStringLiteral("000000000")
                             : ADOQuery1.fieldAsString(QStringLiteral("UserPopdem"));
    ShowGrants(Permissions::FromString(text));
    SpeedButton3->setEnabled(true);
}

void TFrmPopdem::SpeedButton1Click() {
    ListView1->setAllChecked(true);
}

void TFrmPopdem::SpeedButton2Click() {
    ListView1->setAllChecked(false);
}

void TFrmPopdem::SpeedButton3Click() {
    if (ListView1->checkedCount() == 0) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要对选中记录进行权限配置操作吗？"))) {
        MessageBoxes::information(QStringLiteral("请选择一条记录！"));
        return;
    }

    Permissions::Grants grants{};
    const auto boxes = Boxes();
    for (int i = 0; i < Permissions::kPositions; ++i)
        grants[i] = boxes[i]->isChecked();
    const QString text = Permissions::ToString(grants);

    // Every ticked account gets the string: stopping at the first one written would leave
    // the others unchanged behind a box that says the setting is done.
    int saved = 0;
    int refused = 0;
    QStringList reasons;
    for (int row = 0; row < ListView1->count(); ++row) {
        if (!ListView1->isChecked(row))
            continue;
        const QString key = ListView1->text(row, kKeyColumn);
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectPermission));
        ADOQuery1.bindText(QStringLiteral("p"), key);
        ADOQuery1.open();
        const bool exists = ADOQuery1.recordCount() >= 1;
        try {
            if (exists) {
                ADOQuery1.setStatement(QString::fromUtf8(Statements::kUpdatePermission));
                ADOQuery1.bindText(QStringLiteral("p"), text);
                ADOQuery1.bindText(QStringLiteral("p1"), key);
            } else {
                ADOQuery1.setStatement(QString::fromUtf8(Statements::kInsertPermission));
                ADOQuery1.bindText(QStringLiteral("p1"), key);
                ADOQuery1.bindText(QStringLiteral("p"), text);
            }
            ADOQuery1.execute();
            ++saved;
        } catch (const std::exception& error) {
            // This account could not be written; the others are still tried, and the refusal
            // is reported once the save ends.
            ADOQuery1.close();
            ++refused;
            const QString reason = QString::fromUtf8(error.what());
            if (!reasons.contains(reason))
                reasons << reason;
        }
    }
    if (refused == 0) {
        MessageBoxes::information(QStringLiteral("权限设置完毕！"));
        return;
    }
    const QString heading =
        saved + refused > 1
            ? QStringLiteral("权限设置未保存：已保存 %1 人，未保存 %2 人！").arg(saved).arg(refused)
            : QStringLiteral("权限设置未保存！");
    MessageBoxes::defaultError(heading + QLatin1Char('\n') + reasons.join(QLatin1Char('\n')));
}

void TFrmPopdem::SpeedButton4Click() {
    close();
}
