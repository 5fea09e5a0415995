#include "users/PermissionsDialog.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "chrome/HeadingBanner.h"
#include "chrome/RowWrites.h"
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

PermissionsDialog::PermissionsDialog(Session& session, QWidget* parent)
    : DialogShell(parent), session_(session), permissionsQuery_(session.connectionName) {
    setObjectName(QStringLiteral("permissionsDialog"));
    buildControls();
}

void PermissionsDialog::buildControls() {
    setWindowTitle(QStringLiteral("权限维护"));
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral("权限维护")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    headingLabel = new QLabel(QStringLiteral("用户权限信息维护"), clientArea);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    bannerPicture = new PictureBox(PictureBox::Fit::Natural, clientArea);
    bannerPicture->setObjectName(QStringLiteral("bannerPicture"));
    QWidget* banner =
        HeadingBanner::make(clientArea, headingLabel, bannerPicture, QStringLiteral("bannerUser"));

    accountsGroup = new QGroupBox(QStringLiteral("选择用户"), clientArea);
    accountsGroup->setObjectName(QStringLiteral("accountsGroup"));
    accountsGroup->setFixedWidth(178);
    accountList = new ReportList(accountsGroup);
    accountList->setObjectName(QStringLiteral("accountList"));
    accountList->setAccessibleName(accountsGroup->title());
    accountList->setCheckBoxes(true);
    accountList->setColumns({{ReportList::Column::Name, QStringLiteral("用户名"), 150},
                             {ReportList::Column::Key, QString(), 0}});
    accountList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    selectAllButton = makeFlatButton(QStringLiteral("全选"), "selectAllButton", accountsGroup);
    clearAllButton = makeFlatButton(QStringLiteral("全删"), "clearAllButton", accountsGroup);
    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(selectAllButton);
    tickButtons->addWidget(clearAllButton);
    auto* users = new QVBoxLayout(accountsGroup);
    users->setContentsMargins(6, 6, 6, 6);
    users->addWidget(accountList, 1);
    users->addLayout(tickButtons);

    menuRightsGroup = new QGroupBox(QStringLiteral("菜单 - 系统管理选项"), clientArea);
    menuRightsGroup->setObjectName(QStringLiteral("menuRightsGroup"));
    userAccountsBox = makeBox(QStringLiteral("人员维护"), "userAccountsBox", menuRightsGroup);
    permissionsBox = makeBox(QStringLiteral("权限设置"), "permissionsBox", menuRightsGroup);
    auto* menus = new QGridLayout(menuRightsGroup);
    menus->setContentsMargins(16, 12, 16, 12);
    menus->setHorizontalSpacing(24);
    menus->addWidget(userAccountsBox, 0, 0);
    menus->addWidget(permissionsBox, 0, 1);
    menus->setColumnStretch(2, 1);

    buttonRightsGroup = new QGroupBox(QStringLiteral("按钮 - 快捷操作"), clientArea);
    buttonRightsGroup->setObjectName(QStringLiteral("buttonRightsGroup"));
    addReminderBox = makeBox(QStringLiteral("添加提醒"), "addReminderBox", buttonRightsGroup);
    editReminderBox = makeBox(QStringLiteral("编辑提醒"), "editReminderBox", buttonRightsGroup);
    deleteReminderBox = makeBox(QStringLiteral("删除提醒"), "deleteReminderBox", buttonRightsGroup);
    quickPublishBox = makeBox(QStringLiteral("快速发布"), "quickPublishBox", buttonRightsGroup);
    birthdayBox = makeBox(QStringLiteral("生日提醒"), "birthdayBox", buttonRightsGroup);
    appointmentBox = makeBox(QStringLiteral("约会提醒"), "appointmentBox", buttonRightsGroup);
    anniversaryBox = makeBox(QStringLiteral("纪念日提醒"), "anniversaryBox", buttonRightsGroup);
    auto* quick = new QGridLayout(buttonRightsGroup);
    quick->setContentsMargins(16, 12, 16, 12);
    quick->setHorizontalSpacing(24);
    quick->setVerticalSpacing(12);
    QCheckBox* const quickBoxes[] = {addReminderBox,  editReminderBox, deleteReminderBox,
                                     quickPublishBox, birthdayBox,     appointmentBox,
                                     anniversaryBox};
    for (int i = 0; i < 7; ++i)
        quick->addWidget(quickBoxes[i], i / 3, i % 3);
    quick->setColumnStretch(3, 1);

    saveButton = makeFlatButton(QStringLiteral("保存"), "saveButton", clientArea);
    saveButton->setEnabled(false);
    saveButton->setMinimumWidth(80);
    exitButton = makeFlatButton(QStringLiteral("退出"), "exitButton", clientArea);
    exitButton->setMinimumWidth(80);
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(saveButton);
    actions->addWidget(exitButton);

    auto* right = new QVBoxLayout;
    right->setSpacing(12);
    right->addWidget(menuRightsGroup);
    right->addWidget(buttonRightsGroup);
    right->addStretch(1);
    right->addLayout(actions);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(12);
    body->addWidget(accountsGroup);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);

    connect(accountList, &ReportList::selectedRowChanged, this,
            guardedSlot(this, &PermissionsDialog::showSelectedGrants));
    connect(selectAllButton, &QPushButton::clicked, this,
            guardedSlot(this, &PermissionsDialog::tickAllAccounts));
    connect(clearAllButton, &QPushButton::clicked, this,
            guardedSlot(this, &PermissionsDialog::clearAllAccounts));
    connect(saveButton, &QPushButton::clicked, this,
            guardedSlot(this, &PermissionsDialog::savePermissions));
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &PermissionsDialog::onExitClicked));

    resize(640, 480);
}

std::array<QCheckBox*, Permissions::kPositions> PermissionsDialog::permissionBoxes() const {
    return {userAccountsBox, permissionsBox, addReminderBox, editReminderBox, deleteReminderBox,
            quickPublishBox, birthdayBox,    appointmentBox, anniversaryBox};
}

void PermissionsDialog::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the task bar is not being opened again.
    if (!event->spontaneous())
        guarded([this] { onShown(); });
}

void PermissionsDialog::onShown() {
    permissionsQuery_.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    permissionsQuery_.open();
    QCoreApplication::processEvents();
    // Whoever was selected goes with the old rows, and the boxes and Save follow.
    accountList->selectRow(-1);
    accountList->setUpdatesEnabled(false);
    accountList->clear();
    const QIcon icon(Assets::picture(QStringLiteral("listUser")));
    for (; !permissionsQuery_.atEnd(); permissionsQuery_.next()) {
        accountList->addRow(
            accountList->row({{ReportList::Column::Name,
                               permissionsQuery_.fieldAsString(QStringLiteral("UserTrueName"))},
                              {ReportList::Column::Key,
                               permissionsQuery_.fieldAsString(QStringLiteral("keyid"))}}),
            icon);
    }
    accountList->setUpdatesEnabled(true);
    QCoreApplication::processEvents();
}

void PermissionsDialog::showGrants(const Permissions::Grants& grants) {
    const auto boxes = permissionBoxes();
    for (int i = 0; i < Permissions::kPositions; ++i)
        boxes[i]->setChecked(grants[i]);
}

void PermissionsDialog::showSelectedGrants() {
    const int row = accountList->selectedRow();
    if (row < 0) {
        showGrants({});
        saveButton->setEnabled(false);
        return;
    }
    const int key = TextConvert::toInt(accountList->text(row, ReportList::Column::Key));
    permissionsQuery_.setStatement(QString::fromUtf8(Statements::kSelectPermission));
    permissionsQuery_.bindInteger(QStringLiteral("p"), key);
    permissionsQuery_.open();
    const QString text = permissionsQuery_.recordCount() == 0
                             ? QStringLiteral("000000000")
                             : permissionsQuery_.fieldAsString(QStringLiteral("UserPopdem"));
    showGrants(Permissions::fromString(text));
    saveButton->setEnabled(true);
}

void PermissionsDialog::tickAllAccounts() {
    accountList->setAllChecked(true);
}

void PermissionsDialog::clearAllAccounts() {
    accountList->setAllChecked(false);
}

void PermissionsDialog::savePermissions() {
    if (accountList->checkedCount() == 0) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要对选中记录进行权限配置操作吗？"))) {
        MessageBoxes::information(QStringLiteral("请选择一条记录！"));
        return;
    }

    Permissions::Grants grants{};
    const auto boxes = permissionBoxes();
    for (int i = 0; i < Permissions::kPositions; ++i)
        grants[i] = boxes[i]->isChecked();
    const QString text = Permissions::toString(grants);

    // Every ticked account gets the string, whatever happened to the one before.
    RowWrites writes;
    for (int row = 0; row < accountList->count(); ++row) {
        if (!accountList->isChecked(row))
            continue;
        const QString key = accountList->text(row, ReportList::Column::Key);
        permissionsQuery_.setStatement(QString::fromUtf8(Statements::kSelectPermission));
        permissionsQuery_.bindText(QStringLiteral("p"), key);
        permissionsQuery_.open();
        const bool exists = permissionsQuery_.recordCount() >= 1;
        const bool written = writes.attempt([&] {
            if (exists) {
                permissionsQuery_.setStatement(QString::fromUtf8(Statements::kUpdatePermission));
                permissionsQuery_.bindText(QStringLiteral("p"), text);
                permissionsQuery_.bindText(QStringLiteral("p1"), key);
            } else {
                permissionsQuery_.setStatement(QString::fromUtf8(Statements::kInsertPermission));
                permissionsQuery_.bindText(QStringLiteral("p1"), key);
                permissionsQuery_.bindText(QStringLiteral("p"), text);
            }
            permissionsQuery_.execute();
        });
        if (!written)
            permissionsQuery_.close();
    }
    if (!writes.reportRefusals(QStringLiteral("权限设置未保存！"),
                               QStringLiteral("权限设置未保存：已保存 %1 人，未保存 %2 人！")))
        MessageBoxes::information(QStringLiteral("权限设置完毕！"));
}

void PermissionsDialog::onExitClicked() {
    close();
}
