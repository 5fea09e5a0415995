#include "app/TFrmMainT.h"

#include "app/TFrmAbout.h"
#include "chrome/Assets.h"
#include "entry/AddReminderDialog.h"
#include "entry/AnniversaryReminderDialog.h"
#include "entry/AppointmentReminderDialog.h"
#include "entry/BirthdayReminderDialog.h"
#include "entry/EditReminderDialog.h"
#include "entry/QuickPublishDialog.h"
#include "platform/AppInfo.h"
#include "platform/AppLifetime.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/SettingsFile.h"
#include "platform/TextConvert.h"
#include "popups/PopupFactory.h"
#include "schedule/WavePlayer.h"
#include "store/Connection.h"
#include "store/Statements.h"
#include "store/UserNames.h"
#include "users/PasswordDialog.h"
#include "users/Permissions.h"
#include "users/PermissionsDialog.h"
#include "users/UserAccountsDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace {
const QColor kPendingTextColor(0, 0, 255);
const QString kAutostartOn = QStringLiteral("√随windows启动系统");
const QString kAutostartOff = QStringLiteral("随windows启动系统");
} // namespace

TFrmMainT::TFrmMainT(Session& session, std::unique_ptr<Autostart> autostart,
                     std::unique_ptr<SoundPlayer> sound)
    : ShellWindow(nullptr), session_(session),
      autostart_(autostart ? std::move(autostart) : Autostart::ForPlatform()),
      sound_(sound ? std::move(sound) : std::make_unique<WavePlayer>()),
      ADOQuery2(session.connectionName), ADOQuery3(session.connectionName) {
    setObjectName(QStringLiteral("FrmMainT"));
    FormCreate();
}

TFrmMainT::~TFrmMainT() {
    // The polls and their popups use the sound player and this window: they go first.
    delete polling_;
    polling_ = nullptr;
}

void TFrmMainT::FormCreate() {
    setWindowTitle(AppInfo::kApplicationTitle);
    Label1 = placeTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
    Label1->setObjectName(QStringLiteral("Label1"));

    buildMenus();
    buildToolBar();
    buildPages();
    buildFooter();

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MainMenu1);
    layout->addWidget(ToolBar2);
    layout->addWidget(PageControl1, 1);
    auto* footer = new QHBoxLayout(bottomCenterPicture);
    footer->setContentsMargins(8, 0, 8, 0);
    footer->addWidget(Label2);
    footer->addStretch();
    footer->addWidget(Label3);
    resize(1000, 660);

    // The polls start now and find nothing until somebody has logged in.
    polling_ = new ReminderPolling(session_, reloader(), *sound_, Popups::standardFactory(), this);
}

void TFrmMainT::buildMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    SystemMenu = MainMenu1->addMenu(QStringLiteral("  系统管理"));
    N41 = SystemMenu->addAction(QStringLiteral("人员维护"));
    N41->setObjectName(QStringLiteral("N41"));
    SystemMenu->addSeparator();
    N43 = SystemMenu->addAction(QStringLiteral("权限设置"));
    N43->setObjectName(QStringLiteral("N43"));
    SystemMenu->addSeparator();
    N9 = SystemMenu->addAction(QStringLiteral("修改密码"));
    N9->setObjectName(QStringLiteral("N9"));
    OptionsMenu = MainMenu1->addMenu(QStringLiteral("选项"));
    N14 = OptionsMenu->addAction(kAutostartOn);
    N14->setObjectName(QStringLiteral("N14"));
    AboutMenu = MainMenu1->addMenu(QStringLiteral("关于系统"));
    N13 = AboutMenu->addAction(QStringLiteral("关于"));
    N13->setObjectName(QStringLiteral("N13"));

    connect(N41, &QAction::triggered, this, guardedSlot(this, &TFrmMainT::N41Click));
    connect(N43, &QAction::triggered, this, guardedSlot(this, &TFrmMainT::N43Click));
    connect(N9, &QAction::triggered, this, guardedSlot(this, &TFrmMainT::N9Click));
    connect(N13, &QAction::triggered, this, guardedSlot(this, &TFrmMainT::N13Click));
    connect(N14, &QAction::triggered, this, guardedSlot(this, &TFrmMainT::N14Click));
}

QToolButton* TFrmMainT::addToolButton(const QString& name, const QString& caption,
                                      const QString& picture, void (TFrmMainT::*handler)()) {
    auto* button = new QToolButton(ToolBar2);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(QIcon(Assets::picture(picture)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    ToolBar2->addWidget(button);
    if (handler)
        connect(button, &QToolButton::clicked, this, guardedSlot(this, handler));
    return button;
}

void TFrmMainT::buildToolBar() {
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(32, 32));
    ToolBar2->setMovable(false);
    ToolButton10 =
        addToolButton("ToolButton10", "添加提醒", "tbAdd", &TFrmMainT::ToolButton10Click);
    ToolButton3 = addToolButton("ToolButton3", "编辑提醒", "tbEdit", &TFrmMainT::ToolButton3Click);
    ToolButton4 =
        addToolButton("ToolButton4", "删除提醒", "tbDelete", &TFrmMainT::ToolButton4Click);
    ToolBar2->addSeparator();
    ToolButton2 =
        addToolButton("ToolButton2", "快速发布", "tbQuickPublish", &TFrmMainT::ToolButton2Click);
    ToolBar2->addSeparator();
    ToolButton12 =
        addToolButton("ToolButton12", "生日提醒", "tbBirthday", &TFrmMainT::ToolButton12Click);
    ToolButton9 =
        addToolButton("ToolButton9", "约会提醒", "tbAppointment", &TFrmMainT::ToolButton9Click);
    Tbexit = addToolButton("Tbexit", "  纪念日提醒", "tbAnniversary", &TFrmMainT::TbexitClick);
    ToolBar2->addSeparator();
    ToolButton8 = addToolButton("ToolButton8", "隐藏窗口", "tbHide", &TFrmMainT::ToolButton8Click);
    ToolButton1 = addToolButton("ToolButton1", "退出系统", "tbExit", &TFrmMainT::ToolButton1Click);
}

void TFrmMainT::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    ListView1 = new ReportList;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("提醒内容列表"));
    ListView1->setColumns({{"编号", 50}, {"内容", 600}, {"发布人", 100}, {"发布时间", 188}});
    ListView1->setFillColumn(1);
    ListView1->setTextColor(kPendingTextColor);
    PageControl1->addTab(ListView1, QStringLiteral("提醒内容列表"));

    CalendarPage = new QWidget;
    CalendarPage->setObjectName(QStringLiteral("CalendarPage"));
    auto* calendarRow = new QHBoxLayout(CalendarPage);
    calendarRow->setContentsMargins(0, 0, 0, 0);
    calendarRow->setSpacing(0);
    auto* leftPanel = new QWidget(CalendarPage);
    leftPanel->setObjectName(QStringLiteral("Panel4"));
    leftPanel->setFixedWidth(100);
    auto* rightPanel = new QWidget(CalendarPage);
    rightPanel->setObjectName(QStringLiteral("Panel5"));
    rightPanel->setFixedWidth(100);
    calendarView = new CalendarView(CalendarPage);
    calendarView->setObjectName(QStringLiteral("calendarView"));
    calendarView->setAccessibleName(QStringLiteral("万年历"));
    calendarRow->addWidget(leftPanel);
    calendarRow->addWidget(calendarView, 1);
    calendarRow->addWidget(rightPanel);
    PageControl1->addTab(CalendarPage, QStringLiteral("万年历"));

    auto* historyPage = new QWidget;
    auto* historyLayout = new QVBoxLayout(historyPage);
    historyLayout->setContentsMargins(0, 4, 0, 0);
    auto* buttonRow = new QHBoxLayout;
    SpeedButton1 = new QPushButton(QStringLiteral("全选"), historyPage);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = new QPushButton(QStringLiteral("全不选"), historyPage);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton3 = new QPushButton(QStringLiteral("删除历史提醒记录"), historyPage);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    for (QPushButton* button : {SpeedButton1, SpeedButton2, SpeedButton3}) {
        button->setFlat(true);
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch();
    historyLayout->addLayout(buttonRow);
    ListView2 = new ReportList(historyPage);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView2->setAccessibleName(QStringLiteral("历史提醒列表"));
    ListView2->setColumns({{"编号", 60}, {"内容", 600}, {"发布人", 100}, {"发布时间", 178}});
    ListView2->setFillColumn(1);
    ListView2->setCheckBoxes(true);
    historyLayout->addWidget(ListView2, 1);
    PageControl1->addTab(historyPage, QStringLiteral("历史提醒列表"));

    ListView3 = new ReportList;
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setAccessibleName(QStringLiteral("已发布提醒信息"));
    ListView3->setColumns(
        {{"编号", 50}, {"内容", 500}, {"提醒人", 100}, {"发布人", 100}, {"发布时间", 188}});
    ListView3->setFillColumn(1);
    PageControl1->addTab(ListView3, QStringLiteral("已发布提醒信息"));

    connect(ListView1, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &TFrmMainT::ListView1DblClick));
    connect(ListView2, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &TFrmMainT::ListView2DblClick));
    connect(ListView3, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &TFrmMainT::ListView3DblClick));
    connect(SpeedButton1, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmMainT::SpeedButton1Click));
    connect(SpeedButton2, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmMainT::SpeedButton2Click));
    connect(SpeedButton3, &QPushButton::clicked, this,
            guardedSlot(this, &TFrmMainT::SpeedButton3Click));
}

void TFrmMainT::buildFooter() {
    Label2 = new QLabel(bottomCenterPicture);
    Label2->setObjectName(QStringLiteral("Label2"));
    QPalette yellow = Label2->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    Label2->setPalette(yellow);
    Label2->hide();
    Label3 = new QLabel(bottomCenterPicture);
    Label3->setObjectName(QStringLiteral("Label3"));
    QPalette aqua = Label3->palette();
    aqua.setColor(QPalette::WindowText, Qt::cyan);
    Label3->setPalette(aqua);
    Label3->hide();
    Timer_showtime = new QTimer(this);
    Timer_showtime->setObjectName(QStringLiteral("Timer_showtime"));
    Timer_showtime->setInterval(1000);
    connect(Timer_showtime, &QTimer::timeout, this,
            guardedSlot(this, &TFrmMainT::Timer_showtimeTimer));
    listIcons_ = {QIcon(Assets::picture("listPending")), QIcon(Assets::picture("listHistory")),
                  QIcon(Assets::picture("listPublished"))};
    listRefreshTimer = new QTimer(this);
    listRefreshTimer->setObjectName(QStringLiteral("listRefreshTimer"));
    listRefreshTimer->setInterval(kListRefreshMs);
    connect(listRefreshTimer, &QTimer::timeout, this,
            guardedSlot(this, &TFrmMainT::RefreshListsIfChanged));
}

std::array<QObject*, 9> TFrmMainT::GatedControls() const {
    return {N41,         N43,          ToolButton10, ToolButton3, ToolButton4,
            ToolButton2, ToolButton12, ToolButton9,  Tbexit};
}

void TFrmMainT::SetControlEnabled(QObject* control, bool enabled) {
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

bool TFrmMainT::ControlEnabled(const QObject* control) {
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->isEnabled();
    if (const auto* widget = qobject_cast<const QWidget*>(control))
        return widget->isEnabled();
    return false;
}

void TFrmMainT::showEvent(QShowEvent* event) {
    ShellWindow::showEvent(event);
    // A window restored from the minimised state is shown again by the window system: the
    // user's page and calendar stay as they were.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
    // A desktop without a window manager never activates the window: the first show asks
    // for the login then, whichever of the two comes first.
    if (!loginShown_)
        QTimer::singleShot(0, this, guardedSlot(this, &TFrmMainT::FormActivate));
}

void TFrmMainT::closeEvent(QCloseEvent* event) {
    ShellWindow::closeEvent(event);
    // Closing the main window ends the program, popups or not.
    if (event->isAccepted())
        EndProgram();
}

void TFrmMainT::EndProgram() {
    if (ending_)
        return;
    ending_ = true;
    close();
    AppLifetime::requestQuit();
}

void TFrmMainT::changeEvent(QEvent* event) {
    ShellWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !loginShown_) {
        // Leave the activation event before the modal login starts its own loop.
        QTimer::singleShot(0, this, guardedSlot(this, &TFrmMainT::FormActivate));
    }
}

void TFrmMainT::FormShow() {
    PageControl1->setCurrentIndex(0);
    calendarView->setDateTime(SystemClock::now());
    Label3->setText(ClockText(SystemClock::now()));
    ApplyAutostartSetting();
}

void TFrmMainT::ApplyAutostartSetting() {
    const QString setting =
        SettingsFile::read(QStringLiteral("Run"), QStringLiteral("dword"), QStringLiteral("0"));
    if (setting == QLatin1String("0")) {
        N14->setText(kAutostartOff);
        autostart_->RemoveEntry();
    } else if (setting == QLatin1String("1")) {
        N14->setText(kAutostartOn);
        autostart_->WriteEntry(QCoreApplication::applicationFilePath());
    }
}

void TFrmMainT::N14Click() {
    const QString caption = TextConvert::trim(N14->text());
    if (caption.startsWith(QStringLiteral("√"))) {
        SettingsFile::write(QStringLiteral("Run"), QStringLiteral("dword"), QStringLiteral("0"));
        N14->setText(kAutostartOff);
    } else if (caption.startsWith(QStringLiteral("随"))) {
        SettingsFile::write(QStringLiteral("Run"), QStringLiteral("dword"), QStringLiteral("1"));
        N14->setText(kAutostartOn);
    }
}

void TFrmMainT::ToolButton8Click() {
    HideToTray();
}

void TFrmMainT::HideToTray() {
    minimizeToTray();
}

// Unlike the tool bar's exit, the tray menu's ends the program without a question.
void TFrmMainT::exitProgram() {
    EndProgram();
}

void TFrmMainT::FormActivate() {
    if (loginShown_)
        return;
    loginShown_ = true;
    {
        LoginDialog login(session_, *this, this);
        ModalRunner::run(login);
    }
    ReloadLists();
    listRefreshTimer->start();
}

QString TFrmMainT::ClockText(const QDateTime& moment) {
    const QLocale locale = QLocale::system();
    return moment.toString(QStringLiteral("yyyy年MM月dd日 ")) +
           locale.dayName(moment.date().dayOfWeek(), QLocale::LongFormat) +
           moment.toString(QStringLiteral(" HH:mm:ss "));
}

void TFrmMainT::Timer_showtimeTimer() {
    Label3->setText(ClockText(SystemClock::now()));
}

void TFrmMainT::showGreeting(const QString& userName) {
    Label2->setText(QStringLiteral("欢迎你：") + isolatedText(userName));
    Label2->show();
    Label3->show();
    Timer_showtime->start();
}

void TFrmMainT::applyPermissions(int userKey) {
    const Permissions::Grants grants = Permissions::forAccount(ADOQuery3, userKey);
    const auto controls = GatedControls();
    for (int i = 0; i < Permissions::kPositions; ++i)
        SetControlEnabled(controls[i], grants[i]);
}

QString TFrmMainT::LookupUserName(int userKey) {
    ADOQuery3.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
    ADOQuery3.bindInteger(QStringLiteral("p"), userKey);
    ADOQuery3.open();
    return ADOQuery3.fieldAsString(QStringLiteral("UserTrueName"));
}

std::vector<QStringList> TFrmMainT::readRows(const char* statement,
                                             const std::function<QStringList()>& row) {
    ADOQuery2.setStatement(QString::fromUtf8(statement));
    ADOQuery2.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    ADOQuery2.open();
    std::vector<QStringList> rows;
    rows.reserve(ADOQuery2.recordCount());
    for (; !ADOQuery2.atEnd(); ADOQuery2.next())
        rows.push_back(row());
    // A result kept open would hold on to every row's values until the next reading.
    ADOQuery2.close();
    return rows;
}

void TFrmMainT::ReloadLists() {
    // Read before anything changes: the counter first, so that a change made while the
    // lists are read is found by the next refresh; the lists only once every read worked,
    // so that a failing read leaves them as they were.
    const std::optional<qint64> readAt = Connection::changeCounter(session_.connectionName);
    // One read of the accounts names every publisher and recipient.
    const UserNames names = UserNames::read(ADOQuery3);
    auto field = [this](const char* column) {
        return ADOQuery2.fieldAsString(QString::fromLatin1(column));
    };
    auto name = [&](const char* column) {
        return names.nameOf(ADOQuery2.fieldAsInteger(QString::fromLatin1(column)));
    };
    std::vector<QStringList> pending = readRows(Statements::kPendingList, [&] {
        return QStringList{field("KeyID"), field("Redetail"), name("ReDOuserID"),
                           field("ReDotime")};
    });
    std::vector<QStringList> history = readRows(Statements::kHistoryList, [&] {
        return QStringList{field("KeyID"), field("Redetail"), name("ReDOuserID"),
                           field("ReDotime")};
    });
    const QString self = names.nameOf(session_.currentUserKey);
    std::vector<QStringList> published = readRows(Statements::kPublishedList, [&] {
        return QStringList{field("KeyID"), field("Redetail"), name("ReUserID"), self,
                           field("ReDotime")};
    });
    ListView1->replaceRows(std::move(pending), listIcons_[0]);
    ListView2->replaceRows(std::move(history), listIcons_[1]);
    ListView3->replaceRows(std::move(published), listIcons_[2]);
    listsReadAt_ = readAt;
}

void TFrmMainT::RefreshListsIfChanged() {
    if (session_.currentUserKey == 0)
        return;
    polling_->storeWatch().run([this] {
        const std::optional<qint64> counter = Connection::changeCounter(session_.connectionName);
        if (counter && counter == listsReadAt_)
            return;
        ReloadLists();
    });
}

void TFrmMainT::showRowDetails(ReportList* list, const QString& personLabel) {
    const int row = list->selectedRow();
    if (row < 0)
        return;
    // Each text people entered stands apart, so that none can reorder the others.
    MessageBoxes::detail(personLabel + isolatedText(list->subItem(row, 1)) +
                         QStringLiteral("\r\r") + QStringLiteral("【内容】") +
                         QStringLiteral("\r\r\n") + isolatedText(list->subItem(row, 0)));
}

void TFrmMainT::ListView1DblClick() {
    showRowDetails(ListView1, QStringLiteral("【发布人】"));
}

void TFrmMainT::ListView2DblClick() {
    showRowDetails(ListView2, QStringLiteral("【发布人】"));
}

void TFrmMainT::ListView3DblClick() {
    showRowDetails(ListView3, QStringLiteral("【提醒人】"));
}

void TFrmMainT::ToolButton4Click() {
    const int row = ListView3->selectedRow();
    if (row < 0) {
        MessageBoxes::information(QStringLiteral("请在已发布提醒信息处选择一条记录进行操作！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要删除已发布提醒信息选定记录吗？")))
        return;
    try {
        ADOQuery3.setStatement(QString::fromUtf8(Statements::kDeletePublishedReminder));
        ADOQuery3.bindText(QStringLiteral("p"), TextConvert::trim(ListView3->caption(row)));
        ADOQuery3.execute();
    } catch (const std::exception&) {
        MessageBoxes::information(QStringLiteral("删除失败，请稍后重试！"));
        return;
    }
    MessageBoxes::information(QStringLiteral("删除成功！"));
    ReloadLists();
}

void TFrmMainT::SpeedButton1Click() {
    ListView2->setAllChecked(true);
}

void TFrmMainT::SpeedButton2Click() {
    ListView2->setAllChecked(false);
}

void TFrmMainT::SpeedButton3Click() {
    if (ListView2->checkedCount() == 0) {
        MessageBoxes::information(QStringLiteral("请选择记录！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要删除所选定的历史提醒记录吗？")))
        return;
    for (int row = ListView2->count() - 1; row >= 0; --row) {
        if (!ListView2->isChecked(row))
            continue;
        ADOQuery3.setStatement(QString::fromUtf8(Statements::kDeleteReminder));
        ADOQuery3.bindText(QStringLiteral("p"), TextConvert::trim(ListView2->caption(row)));
        ADOQuery3.execute();
    }
    MessageBoxes::information(QStringLiteral("删除历史提醒记录完毕！"));
    ReloadLists();
}

void TFrmMainT::ToolButton1Click() {
    if (MessageBoxes::question(QStringLiteral("确定要退出系统吗？")))
        EndProgram();
}

// Openers: every window is a new instance shown modally and freed when it returns.
void TFrmMainT::ToolButton10Click() {
    AddReminderDialog dialog(session_, reloader(), this);
    if (PageControl1->currentIndex() == 1)
        dialog.presetStartDay(calendarView->dateTime().date());
    ModalRunner::run(dialog);
}

void TFrmMainT::ToolButton3Click() {
    const int row = ListView3->selectedRow();
    if (row < 0) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    EditReminderDialog::editPublished(session_, reloader(), ListView3->caption(row),
                                      ListView3->subItem(row, 0), this);
}

void TFrmMainT::ToolButton2Click() {
    QuickPublishDialog dialog(session_, reloader(), this);
    ModalRunner::run(dialog);
}

void TFrmMainT::ToolButton12Click() {
    BirthdayReminderDialog dialog(session_, reloader(), this);
    ModalRunner::run(dialog);
}

void TFrmMainT::ToolButton9Click() {
    AppointmentReminderDialog dialog(session_, reloader(), this);
    ModalRunner::run(dialog);
}

void TFrmMainT::TbexitClick() {
    AnniversaryReminderDialog dialog(session_, reloader(), this);
    ModalRunner::run(dialog);
}

void TFrmMainT::N41Click() {
    UserAccountsDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void TFrmMainT::N43Click() {
    PermissionsDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void TFrmMainT::N9Click() {
    PasswordDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void TFrmMainT::N13Click() {
    TFrmAbout about(this);
    ModalRunner::run(about);
}

std::function<void()> TFrmMainT::reloader() {
    return [this] { ReloadLists(); };
}
