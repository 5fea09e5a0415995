#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "entry/AddReminderDialog.h"
#include "entry/DatedReminderDialog.h"
#include "entry/EditReminderDialog.h"
#include "entry/QuickPublishDialog.h"
#include "platform/AppInfo.h"
#include "platform/AppLifetime.h"
#include "platform/Clock.h"
#include "platform/FilePickers.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/SettingsFile.h"
#include "platform/TextConvert.h"
#include "popups/PopupFactory.h"
#include "schedule/CalendarExport.h"
#include "schedule/WavePlayer.h"
#include "schedule/YearlyReminders.h"
#include "store/Connection.h"
#include "store/Statements.h"
#include "store/UserNames.h"
#include "users/PasswordDialog.h"
#include "users/Permissions.h"
#include "users/PermissionsDialog.h"
#include "users/UserAccountsDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {
const QColor kPendingTextColor(0, 0, 255);
using Column = ReportList::Column;
// How far ahead the calendar page's "近期提醒" looks.
constexpr int kComingDays = 30;
} // namespace

MainWindow::MainWindow(Session& session, std::unique_ptr<Autostart> autostart,
                       std::unique_ptr<SoundPlayer> sound)
    : ShellWindow(nullptr), session_(session),
      autostart_(autostart ? std::move(autostart) : Autostart::forPlatform()),
      sound_(sound ? std::move(sound) : std::make_unique<WavePlayer>()),
      listsQuery_(session.connectionName), namesAndDeletesQuery_(session.connectionName) {
    setObjectName(QStringLiteral("mainWindow"));
    buildControls();
}

MainWindow::~MainWindow() {
    // The polls and their popups use the sound player and this window: they go first.
    delete polling_;
    polling_ = nullptr;
}

void MainWindow::buildControls() {
    setWindowTitle(AppInfo::kApplicationTitle);
    titleLabel = placeTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
    titleLabel->setObjectName(QStringLiteral("titleLabel"));

    buildMenus();
    buildToolBar();
    buildPages();
    buildFooter();

    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mainMenu);
    layout->addWidget(toolBar);
    layout->addWidget(pages, 1);
    auto* footer = new QHBoxLayout(bottomCenterPicture);
    footer->setContentsMargins(8, 0, 8, 0);
    footer->addWidget(greetingLabel);
    footer->addStretch();
    footer->addWidget(clockLabel);
    resize(1000, 660);
    historyPages_ = std::make_unique<HistoryPages>(session_, *historyList, listIcons_[1]);

    // The polls start now and find nothing until somebody has logged in.
    polling_ = new ReminderPolling(session_, reloader(), *sound_, Popups::standardFactory(), this);
    polling_->setObjectName(QStringLiteral("polling"));
}

void MainWindow::buildMenus() {
    mainMenu = new QMenuBar(this);
    mainMenu->setObjectName(QStringLiteral("mainMenu"));
    mainMenu->setNativeMenuBar(false);
    systemMenu = mainMenu->addMenu(QStringLiteral("  系统管理"));
    systemMenu->setObjectName(QStringLiteral("systemMenu"));
    userAccountsAction = systemMenu->addAction(QStringLiteral("人员维护"));
    userAccountsAction->setObjectName(QStringLiteral("userAccountsAction"));
    systemMenu->addSeparator();
    permissionsAction = systemMenu->addAction(QStringLiteral("权限设置"));
    permissionsAction->setObjectName(QStringLiteral("permissionsAction"));
    systemMenu->addSeparator();
    passwordAction = systemMenu->addAction(QStringLiteral("修改密码"));
    passwordAction->setObjectName(QStringLiteral("passwordAction"));
    optionsMenu = mainMenu->addMenu(QStringLiteral("选项"));
    optionsMenu->setObjectName(QStringLiteral("optionsMenu"));
    autostartAction = optionsMenu->addAction(QStringLiteral("随windows启动系统"));
    autostartAction->setObjectName(QStringLiteral("autostartAction"));
    // Ticked until the setting says otherwise: an unknown setting leaves it ticked.
    autostartAction->setCheckable(true);
    autostartAction->setChecked(true);
    exportCalendarAction = optionsMenu->addAction(QStringLiteral("导出日历…"));
    exportCalendarAction->setObjectName(QStringLiteral("exportCalendarAction"));
    aboutMenu = mainMenu->addMenu(QStringLiteral("关于系统"));
    aboutMenu->setObjectName(QStringLiteral("aboutMenu"));
    aboutAction = aboutMenu->addAction(QStringLiteral("关于"));
    aboutAction->setObjectName(QStringLiteral("aboutAction"));

    connect(userAccountsAction, &QAction::triggered, this,
            guardedSlot(this, &MainWindow::openUserAccounts));
    connect(permissionsAction, &QAction::triggered, this,
            guardedSlot(this, &MainWindow::openPermissions));
    connect(passwordAction, &QAction::triggered, this,
            guardedSlot(this, &MainWindow::openPasswordChange));
    connect(aboutAction, &QAction::triggered, this, guardedSlot(this, &MainWindow::openAbout));
    connect(autostartAction, &QAction::triggered, this,
            guardedSlot(this, &MainWindow::toggleAutostart));
    connect(exportCalendarAction, &QAction::triggered, this,
            guardedSlot(this, &MainWindow::exportCalendar));
}

QToolButton* MainWindow::addToolButton(const QString& name, const QString& caption,
                                       const QString& picture, void (MainWindow::*handler)()) {
    auto* button = new QToolButton(toolBar);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(QIcon(Assets::picture(picture)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    toolBar->addWidget(button);
    if (handler)
        connect(button, &QToolButton::clicked, this, guardedSlot(this, handler));
    return button;
}

QToolButton* MainWindow::addKindButton(ReminderKind kind) {
    const KindDescription::ToolButton& look = describe(kind).toolButton;
    QToolButton* button =
        addToolButton(QString::fromLatin1(look.objectName), QString::fromUtf8(look.caption),
                      QString::fromLatin1(look.picture), nullptr);
    connect(button, &QToolButton::clicked, this,
            [this, kind] { guarded([this, kind] { openEntryFor(kind); }); });
    kindButtons_[kindIndex(kind)] = button;
    return button;
}

void MainWindow::buildToolBar() {
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(32, 32));
    toolBar->setMovable(false);
    addReminderButton = addKindButton(ReminderKind::Ordinary);
    editReminderButton =
        addToolButton("editReminderButton", "编辑提醒", "tbEdit", &MainWindow::editReminder);
    deleteReminderButton =
        addToolButton("deleteReminderButton", "删除提醒", "tbDelete", &MainWindow::deleteReminder);
    toolBar->addSeparator();
    quickPublishButton = addToolButton("quickPublishButton", "快速发布", "tbQuickPublish",
                                       &MainWindow::quickPublish);
    toolBar->addSeparator();
    for (ReminderKind kind : kAllReminderKinds)
        if (kind != ReminderKind::Ordinary)
            addKindButton(kind);
    birthdayButton = kindButtons_[kindIndex(ReminderKind::Birthday)];
    appointmentButton = kindButtons_[kindIndex(ReminderKind::Appointment)];
    anniversaryButton = kindButtons_[kindIndex(ReminderKind::Anniversary)];
    toolBar->addSeparator();
    hideButton = addToolButton("hideButton", "隐藏窗口", "tbHide", &MainWindow::onHideClicked);
    exitButton = addToolButton("exitButton", "退出系统", "tbExit", &MainWindow::confirmExit);
}

void MainWindow::buildPages() {
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));

    pendingList = new ReportList;
    pendingList->setObjectName(QStringLiteral("pendingList"));
    pendingList->setAccessibleName(QStringLiteral("提醒内容列表"));
    pendingList->setColumns({{Column::Key, "编号", 50},
                             {Column::Content, "内容", 600},
                             {Column::Repeat, "重复", 90},
                             {Column::Publisher, "发布人", 100},
                             {Column::Time, "发布时间", 188}});
    pendingList->setFillColumn(Column::Content);
    pendingList->setTextColor(kPendingTextColor);
    pages->addTab(pendingList, QStringLiteral("提醒内容列表"));

    calendarPage = new QWidget;
    calendarPage->setObjectName(QStringLiteral("calendarPage"));
    auto* calendarColumn = new QVBoxLayout(calendarPage);
    calendarColumn->setContentsMargins(0, 0, 0, 0);
    calendarColumn->setSpacing(2);
    auto* calendarRow = new QHBoxLayout;
    calendarRow->setContentsMargins(0, 0, 0, 0);
    calendarRow->setSpacing(0);
    auto* leftPanel = new QWidget(calendarPage);
    leftPanel->setObjectName(QStringLiteral("leftMargin"));
    leftPanel->setFixedWidth(100);
    auto* rightPanel = new QWidget(calendarPage);
    rightPanel->setObjectName(QStringLiteral("rightMargin"));
    rightPanel->setFixedWidth(100);
    calendarView = new CalendarView(calendarPage);
    calendarView->setObjectName(QStringLiteral("calendarView"));
    calendarView->setAccessibleName(QStringLiteral("万年历"));
    calendarRow->addWidget(leftPanel);
    calendarRow->addWidget(calendarView, 1);
    calendarRow->addWidget(rightPanel);
    calendarColumn->addLayout(calendarRow, 1);
    comingLabel = new QLabel(QStringLiteral("近期提醒"), calendarPage);
    comingLabel->setObjectName(QStringLiteral("comingLabel"));
    comingList = new ReportList(calendarPage);
    comingList->setObjectName(QStringLiteral("comingList"));
    comingList->setAccessibleName(comingLabel->text());
    comingList->setColumns({{Column::Date, "日期", 130},
                            {Column::DaysToGo, "还有", 80},
                            {Column::Kind, "类别", 80},
                            {Column::Content, "内容", 300},
                            {Column::LunarDate, "农历", 120},
                            {Column::Years, "", 110},
                            {Column::Key, "编号", 50}});
    comingList->setFillColumn(Column::Content);
    comingList->setFixedHeight(150);
    comingLabel->setBuddy(comingList);
    calendarColumn->addWidget(comingLabel);
    calendarColumn->addWidget(comingList);
    calendarView->setMonthMarks(
        [this](int year, int month) { return reminderCalendar_.monthMarks(year, month); });
    connect(calendarView, &CalendarView::dayDoubleClicked, this,
            [this](const QDate& day) { guarded([this, day] { addReminderOnDay(day); }); });
    pages->addTab(calendarPage, QStringLiteral("万年历"));

    auto* historyPage = new QWidget;
    auto* historyLayout = new QVBoxLayout(historyPage);
    historyLayout->setContentsMargins(0, 4, 0, 0);
    auto* buttonRow = new QHBoxLayout;
    selectAllHistoryButton = new QPushButton(QStringLiteral("全选"), historyPage);
    selectAllHistoryButton->setObjectName(QStringLiteral("selectAllHistoryButton"));
    clearAllHistoryButton = new QPushButton(QStringLiteral("全不选"), historyPage);
    clearAllHistoryButton->setObjectName(QStringLiteral("clearAllHistoryButton"));
    deleteHistoryButton = new QPushButton(QStringLiteral("删除历史提醒记录"), historyPage);
    deleteHistoryButton->setObjectName(QStringLiteral("deleteHistoryButton"));
    for (QPushButton* button :
         {selectAllHistoryButton, clearAllHistoryButton, deleteHistoryButton}) {
        button->setFlat(true);
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch();
    historyLayout->addLayout(buttonRow);
    historyList = new ReportList(historyPage);
    historyList->setObjectName(QStringLiteral("historyList"));
    historyList->setAccessibleName(QStringLiteral("历史提醒列表"));
    historyList->setColumns({{Column::Key, "编号", 60},
                             {Column::Content, "内容", 600},
                             {Column::Publisher, "发布人", 100},
                             {Column::Time, "发布时间", 178}});
    historyList->setFillColumn(Column::Content);
    historyList->setCheckBoxes(true);
    historyLayout->addWidget(historyList, 1);
    pages->addTab(historyPage, QStringLiteral("历史提醒列表"));

    publishedList = new ReportList;
    publishedList->setObjectName(QStringLiteral("publishedList"));
    publishedList->setAccessibleName(QStringLiteral("已发布提醒信息"));
    publishedList->setColumns({{Column::Key, "编号", 50},
                               {Column::Content, "内容", 500},
                               {Column::Repeat, "重复", 90},
                               {Column::Recipient, "提醒人", 100},
                               {Column::Publisher, "发布人", 100},
                               {Column::Time, "发布时间", 188}});
    publishedList->setFillColumn(Column::Content);
    pages->addTab(publishedList, QStringLiteral("已发布提醒信息"));

    connect(pendingList, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &MainWindow::showPendingDetails));
    connect(historyList, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &MainWindow::showHistoryDetails));
    connect(publishedList, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &MainWindow::showPublishedDetails));
    connect(selectAllHistoryButton, &QPushButton::clicked, this,
            guardedSlot(this, &MainWindow::tickAllHistory));
    connect(clearAllHistoryButton, &QPushButton::clicked, this,
            guardedSlot(this, &MainWindow::clearAllHistory));
    connect(deleteHistoryButton, &QPushButton::clicked, this,
            guardedSlot(this, &MainWindow::deleteTickedHistory));
}

void MainWindow::buildFooter() {
    greetingLabel = new QLabel(bottomCenterPicture);
    greetingLabel->setObjectName(QStringLiteral("greetingLabel"));
    QPalette yellow = greetingLabel->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    greetingLabel->setPalette(yellow);
    greetingLabel->hide();
    clockLabel = new QLabel(bottomCenterPicture);
    clockLabel->setObjectName(QStringLiteral("clockLabel"));
    QPalette aqua = clockLabel->palette();
    aqua.setColor(QPalette::WindowText, Qt::cyan);
    clockLabel->setPalette(aqua);
    clockLabel->hide();
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    clockTimer->setInterval(1000);
    connect(clockTimer, &QTimer::timeout, this, guardedSlot(this, &MainWindow::updateClock));
    listIcons_ = {QIcon(Assets::picture("listPending")), QIcon(Assets::picture("listHistory")),
                  QIcon(Assets::picture("listPublished"))};
    listRefreshTimer = new QTimer(this);
    listRefreshTimer->setObjectName(QStringLiteral("listRefreshTimer"));
    listRefreshTimer->setInterval(kListRefreshMs);
    connect(listRefreshTimer, &QTimer::timeout, this,
            guardedSlot(this, &MainWindow::refreshListsIfChanged));
}

std::array<QObject*, 9> MainWindow::gatedControls() const {
    std::array<QObject*, 9> controls{userAccountsAction, permissionsAction,    nullptr,
                                     editReminderButton, deleteReminderButton, quickPublishButton};
    // Each kind's button sits at the position of its right.
    for (ReminderKind kind : kAllReminderKinds)
        controls[describe(kind).toolButton.rightPosition] = kindButtons_[kindIndex(kind)];
    return controls;
}

void MainWindow::setControlEnabled(QObject* control, bool enabled) {
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

void MainWindow::showEvent(QShowEvent* event) {
    ShellWindow::showEvent(event);
    // A window restored from the minimised state is shown again by the window system: the
    // user's page and calendar stay as they were.
    if (!event->spontaneous())
        guarded([this] { onShown(); });
    // A desktop without a window manager never activates the window: the first show asks
    // for the login then, whichever of the two comes first.
    if (!loginShown_)
        QTimer::singleShot(0, this, guardedSlot(this, &MainWindow::showLoginOnce));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ShellWindow::closeEvent(event);
    // Closing the main window ends the program, popups or not.
    if (event->isAccepted())
        endProgram();
}

void MainWindow::endProgram() {
    if (ending_)
        return;
    ending_ = true;
    close();
    AppLifetime::requestQuit();
}

void MainWindow::changeEvent(QEvent* event) {
    ShellWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !loginShown_) {
        // Leave the activation event before the modal login starts its own loop.
        QTimer::singleShot(0, this, guardedSlot(this, &MainWindow::showLoginOnce));
    }
}

void MainWindow::onShown() {
    pages->setCurrentIndex(0);
    calendarView->setDateTime(SystemClock::now());
    clockLabel->setText(clockText(SystemClock::now()));
    applyAutostartSetting();
}

void MainWindow::applyAutostartSetting() {
    const QString setting =
        SettingsFile::read(QStringLiteral("Run"), QStringLiteral("dword"), QStringLiteral("0"));
    if (setting == QLatin1String("0")) {
        autostartAction->setChecked(false);
        autostart_->removeEntry();
    } else if (setting == QLatin1String("1")) {
        autostartAction->setChecked(true);
        autostart_->writeEntry(QCoreApplication::applicationFilePath());
    }
}

void MainWindow::toggleAutostart() {
    // The action has already changed its tick when this runs: the setting follows it. The
    // entry itself follows the setting at the next start.
    SettingsFile::write(QStringLiteral("Run"), QStringLiteral("dword"),
                        autostartAction->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void MainWindow::onHideClicked() {
    hideToTray();
}

void MainWindow::hideToTray() {
    minimizeToTray();
}

// Unlike the tool bar's exit, the tray menu's ends the program without a question.
void MainWindow::exitProgram() {
    endProgram();
}

void MainWindow::showLoginOnce() {
    if (loginShown_)
        return;
    loginShown_ = true;
    {
        LoginDialog login(session_, *this, this);
        ModalRunner::run(login);
    }
    // Nobody logged in: the program is ending, and a server store has no connection to read.
    if (session_.currentUserKey == 0)
        return;
    emit loggedIn();
    reloadLists();
    listRefreshTimer->start();
}

QString MainWindow::clockText(const QDateTime& moment) {
    const QLocale locale = QLocale::system();
    return moment.toString(QStringLiteral("yyyy年MM月dd日 ")) +
           locale.dayName(moment.date().dayOfWeek(), QLocale::LongFormat) +
           moment.toString(QStringLiteral(" HH:mm:ss "));
}

void MainWindow::updateClock() {
    const QDateTime now = SystemClock::now();
    clockLabel->setText(clockText(now));
    // The coming days count from today: a new day counts them again, from what was read.
    if (comingListDay_.isValid() && now.date() != comingListDay_)
        fillComingList();
}

void MainWindow::showGreeting(const QString& userName) {
    greetingLabel->setText(QStringLiteral("欢迎你：") + isolatedText(userName));
    greetingLabel->show();
    clockLabel->show();
    clockTimer->start();
}

void MainWindow::applyPermissions(int userKey) {
    const Permissions::Grants grants = Permissions::forAccount(namesAndDeletesQuery_, userKey);
    const auto controls = gatedControls();
    for (int i = 0; i < Permissions::kPositions; ++i)
        setControlEnabled(controls[i], grants[i]);
}

std::vector<ReportList::Row> MainWindow::readRows(const char* statement,
                                                  const std::function<ReportList::Row()>& row) {
    listsQuery_.setStatement(QString::fromUtf8(statement));
    listsQuery_.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    listsQuery_.open();
    std::vector<ReportList::Row> rows;
    rows.reserve(listsQuery_.recordCount());
    for (; !listsQuery_.atEnd(); listsQuery_.next())
        rows.push_back(row());
    // A result kept open would hold on to every row's values until the next reading.
    listsQuery_.close();
    return rows;
}

void MainWindow::reloadLists() {
    // Read before anything changes: the counter first, so that a change made while the
    // lists are read is found by the next refresh; the lists only once every read worked,
    // so that a failing read leaves them as they were.
    const std::optional<qint64> readAt = Connection::changeCounter(session_.connectionName);
    // One read of the accounts names every publisher and recipient.
    const UserNames names = UserNames::read(namesAndDeletesQuery_);
    auto field = [this](const char* column) {
        return listsQuery_.fieldAsString(QString::fromLatin1(column));
    };
    auto name = [&](const char* column) {
        return names.nameOf(listsQuery_.fieldAsInteger(QString::fromLatin1(column)));
    };
    // A store of the previous version has no repetitions.
    auto repetition = [this]() -> std::optional<YearlyRepeat::YearlyAnchor> {
        if (!listsQuery_.hasField(QStringLiteral("ReRepeat")))
            return std::nullopt;
        return YearlyReminders::repetitionOf(
            static_cast<int>(listsQuery_.fieldAsInteger(QStringLiteral("Retype"))),
            listsQuery_.fieldAsString(QStringLiteral("ReRepeat")));
    };
    auto start = [this] {
        try {
            return listsQuery_.fieldAsDateTime(QStringLiteral("ReBeginTime"));
        } catch (const StoreError&) {
            return QDateTime(); // a start no copy of the program wrote: on no day
        }
    };
    std::map<QString, QString> repeatDetails;
    // What a row of the pending or published list says of its repetition.
    auto repeatColumn = [&](const QString& key) {
        const std::optional<YearlyRepeat::YearlyAnchor> anchor = repetition();
        if (!anchor)
            return QString();
        const int kind = static_cast<int>(listsQuery_.fieldAsInteger(QStringLiteral("Retype")));
        repeatDetails[key] = YearlyReminders::detailsText(
            kAllReminderKinds[static_cast<std::size_t>(kind)], *anchor, start());
        return YearlyReminders::repeatText(*anchor);
    };
    std::vector<ReminderCalendar::Reminder> mine;
    std::vector<ReportList::Row> pending = readRows(Statements::kPendingList, [&] {
        const QString key = field("KeyID");
        const QString repeat = repeatColumn(key);
        const int kind = static_cast<int>(listsQuery_.fieldAsInteger(QStringLiteral("Retype")));
        mine.push_back({key.toLongLong(),
                        kind >= 0 && kind < static_cast<int>(kAllReminderKinds.size())
                            ? kAllReminderKinds[static_cast<std::size_t>(kind)]
                            : ReminderKind::Ordinary,
                        field("Redetail"), start(), repetition()});
        return pendingList->row({{Column::Key, key},
                                 {Column::Content, field("Redetail")},
                                 {Column::Repeat, repeat},
                                 {Column::Publisher, name("ReDOuserID")},
                                 {Column::Time, field("ReDotime")}});
    });
    HistoryPages::Reading history = historyPages_->readAgain(names);
    const QString self = names.nameOf(session_.currentUserKey);
    std::vector<ReportList::Row> published = readRows(Statements::kPublishedList, [&] {
        const QString key = field("KeyID");
        return publishedList->row({{Column::Key, key},
                                   {Column::Content, field("Redetail")},
                                   {Column::Repeat, repeatColumn(key)},
                                   {Column::Recipient, name("ReUserID")},
                                   {Column::Publisher, self},
                                   {Column::Time, field("ReDotime")}});
    });
    pendingList->replaceRows(std::move(pending), listIcons_[0]);
    historyPages_->show(std::move(history));
    publishedList->replaceRows(std::move(published), listIcons_[2]);
    repeatDetails_ = std::move(repeatDetails);
    reminderCalendar_.setReminders(std::move(mine));
    calendarView->refreshMarks();
    fillComingList();
    listsReadAt_ = readAt;
}

void MainWindow::refreshListsIfChanged() {
    if (session_.currentUserKey == 0)
        return;
    polling_->storeWatch().run([this] {
        const std::optional<qint64> counter = Connection::changeCounter(session_.connectionName);
        if (counter && counter == listsReadAt_)
            return;
        reloadLists();
    });
}

void MainWindow::showRowDetails(ReportList* list, ReportList::Column person,
                                const QString& personLabel) {
    const int row = list->selectedRow();
    if (row < 0)
        return;
    // Each text people entered stands apart, so that none can reorder the others.
    QString details = personLabel + isolatedText(list->text(row, person)) + QStringLiteral("\r\r") +
                      QStringLiteral("【内容】") + QStringLiteral("\r\r\n") +
                      isolatedText(list->text(row, Column::Content));
    if (list != historyList) {
        const auto repeat = repeatDetails_.find(list->text(row, Column::Key));
        if (repeat != repeatDetails_.end())
            details += QStringLiteral("\r\r") + repeat->second;
    }
    MessageBoxes::detail(details);
}

void MainWindow::showPendingDetails() {
    showRowDetails(pendingList, Column::Publisher, QStringLiteral("【发布人】"));
}

void MainWindow::showHistoryDetails() {
    showRowDetails(historyList, Column::Publisher, QStringLiteral("【发布人】"));
}

void MainWindow::showPublishedDetails() {
    showRowDetails(publishedList, Column::Recipient, QStringLiteral("【提醒人】"));
}

void MainWindow::deleteReminder() {
    const int row = publishedList->selectedRow();
    if (row < 0) {
        MessageBoxes::information(QStringLiteral("请在已发布提醒信息处选择一条记录进行操作！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要删除已发布提醒信息选定记录吗？")))
        return;
    try {
        namesAndDeletesQuery_.setStatement(QString::fromUtf8(Statements::kDeletePublishedReminder));
        namesAndDeletesQuery_.bindText(QStringLiteral("p"),
                                       TextConvert::trim(publishedList->text(row, Column::Key)));
        namesAndDeletesQuery_.execute();
    } catch (const std::exception&) {
        MessageBoxes::information(QStringLiteral("删除失败，请稍后重试！"));
        return;
    }
    MessageBoxes::information(QStringLiteral("删除成功！"));
    reloadLists();
}

void MainWindow::tickAllHistory() {
    // Every row, also those the user has not scrolled to yet: all of them are read first.
    if (historyList->hasMoreRowsToCome()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        historyPages_->fetchRest();
    }
    historyList->setAllChecked(true);
}

void MainWindow::clearAllHistory() {
    historyList->setAllChecked(false);
}

void MainWindow::deleteTickedHistory() {
    if (historyList->checkedCount() == 0) {
        MessageBoxes::information(QStringLiteral("请选择记录！"));
        return;
    }
    if (!MessageBoxes::question(QStringLiteral("确定要删除所选定的历史提醒记录吗？")))
        return;
    for (int row = historyList->count() - 1; row >= 0; --row) {
        if (!historyList->isChecked(row))
            continue;
        namesAndDeletesQuery_.setStatement(QString::fromUtf8(Statements::kDeleteReminder));
        namesAndDeletesQuery_.bindText(QStringLiteral("p"),
                                       TextConvert::trim(historyList->text(row, Column::Key)));
        namesAndDeletesQuery_.execute();
    }
    MessageBoxes::information(QStringLiteral("删除历史提醒记录完毕！"));
    reloadLists();
}

void MainWindow::confirmExit() {
    if (MessageBoxes::question(QStringLiteral("确定要退出系统吗？")))
        endProgram();
}

// Openers: every window is a new instance shown modally and freed when it returns.
void MainWindow::openEntryFor(ReminderKind kind) {
    if (kind != ReminderKind::Ordinary) {
        DatedReminderDialog dialog(session_, reloader(), kind, this);
        ModalRunner::run(dialog);
        return;
    }
    AddReminderDialog dialog(session_, reloader(), this);
    if (pages->currentIndex() == 1)
        dialog.presetStartDay(calendarView->dateTime().date());
    ModalRunner::run(dialog);
}

void MainWindow::addReminderOnDay(const QDate& day) {
    // The right that enables "添加提醒" enables this way to it too.
    if (!addReminderButton->isEnabled())
        return;
    const QDateTime now = SystemClock::now();
    AddReminderDialog dialog(session_, reloader(), this);
    dialog.presetStart(day, day == now.date() ? now.time() : QTime(9, 0));
    ModalRunner::run(dialog);
}

void MainWindow::fillComingList() {
    const QDateTime now = SystemClock::now();
    comingListDay_ = now.date();
    std::vector<ReportList::Row> rows;
    for (const ReminderCalendar::Coming& coming : reminderCalendar_.coming(now, kComingDays)) {
        const QString days =
            coming.daysToGo == 0
                ? QStringLiteral("今天")
                : QCoreApplication::translate("MainWindow", "还有 %n 天", nullptr, coming.daysToGo);
        rows.push_back(comingList->row(
            {{Column::Date, coming.at.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
             {Column::DaysToGo, days},
             {Column::Kind, QString::fromUtf8(describe(coming.reminder->kind).popup.caption)},
             {Column::Content, coming.reminder->content},
             {Column::LunarDate, YearlyRepeat::lunarDateText(coming.at.date())},
             {Column::Years, coming.yearsText},
             {Column::Key, QString::number(coming.reminder->key)}}));
    }
    comingList->replaceRows(std::move(rows), listIcons_[0]);
}

void MainWindow::exportCalendar() {
    FilePickers::Request request;
    request.purpose = FilePickers::Purpose::SaveNew;
    request.caption = QStringLiteral("导出日历");
    request.suggestedPath = QDir::home().filePath(QStringLiteral("qxreminder.ics"));
    request.filter = QStringLiteral("iCalendar 文件 (*.ics);;所有文件 (*)");
    const QString path = FilePickers::pick(this, request);
    if (path.isEmpty())
        return;
    std::vector<CalendarExport::ExportedReminder> reminders;
    for (const ReminderCalendar::Reminder& reminder : reminderCalendar_.reminders())
        reminders.push_back(
            {reminder.key, reminder.content, reminder.kind, reminder.start, reminder.repeat});
    const QByteArray calendar = CalendarExport::toICalendar(reminders, SystemClock::now());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(calendar) != calendar.size() || !file.flush()) {
        MessageBoxes::information(QStringLiteral("导出日历失败：%1").arg(file.errorString()));
        return;
    }
    file.close();
    MessageBoxes::information(QCoreApplication::translate(
        "MainWindow", "已导出 %n 条提醒。", nullptr, static_cast<int>(reminders.size())));
}

void MainWindow::editReminder() {
    const int row = publishedList->selectedRow();
    if (row < 0) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    EditReminderDialog::editPublished(session_, reloader(), publishedList->text(row, Column::Key),
                                      publishedList->text(row, Column::Content), this);
}

void MainWindow::quickPublish() {
    QuickPublishDialog dialog(session_, reloader(), this);
    ModalRunner::run(dialog);
}

void MainWindow::openUserAccounts() {
    UserAccountsDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void MainWindow::openPermissions() {
    PermissionsDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void MainWindow::openPasswordChange() {
    PasswordDialog dialog(session_, this);
    ModalRunner::run(dialog);
}

void MainWindow::openAbout() {
    AboutDialog about(this);
    ModalRunner::run(about);
}

std::function<void()> MainWindow::reloader() {
    return [this] { reloadLists(); };
}
