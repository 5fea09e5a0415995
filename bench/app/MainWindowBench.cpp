// The main window and its lists on a large shared file (see BenchStore): filling a list, the
// poll of a user whose rows all tie (due or not, beside a user with one row), the repeat
// tick of a popup listing them, the poll while another copy holds the lock, the reload of
// the three lists, the road from a successful login to the window showing 10,000
// pending rows, and what those rows cost in memory. Floors run the same statement straight on
// the SQLite C API.
#include "BenchWindow.h"
#include "app/MainWindow.h"
#include "chrome/Assets.h"
#include "platform/Clock.h"
#include "platform/ModalRunner.h"
#include "platform/ReportList.h"
#include "popups/PopupFactory.h"
#include "schedule/ReminderPolling.h"
#include "schedule/SoundPlayer.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "support/BenchStore.h"
#include "support/SqliteFloor.h"

#include <QApplication>
#include <QDialog>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QTimerEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <malloc.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

using BenchStore::kBusyUser;
using BenchStore::kBusyUserPending;

using BenchWindow::mainWindow;
using BenchWindow::Silence;

using Column = ReportList::Column;

std::unique_ptr<ReportList> pendingLikeList() {
    auto list = std::make_unique<ReportList>();
    list->setColumns({{Column::Key, "编号", 50},
                      {Column::Content, "内容", 600},
                      {Column::Publisher, "发布人", 100},
                      {Column::Time, "发布时间", 188}});
    list->resize(940, 420);
    list->show();
    return list;
}

// Rows shaped like the pending list's: key, content, publisher, publish time.
std::vector<ReportList::Row> pendingLikeRows(const ReportList& list, int count) {
    std::vector<ReportList::Row> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.push_back(
            list.row({{Column::Key, QString::number(i + 1)},
                      {Column::Content, QStringLiteral("提醒内容 %1：请按时处理相关事项。").arg(i)},
                      {Column::Publisher, QStringLiteral("用户%1").arg(i % 1000)},
                      {Column::Time, QStringLiteral("2010-11-%1 08:%2:00")
                                         .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                         .arg(i % 60, 2, 10, QLatin1Char('0'))}}));
    return rows;
}

// A list filled row by row, as the windows fill theirs.
void BM_ListFill(benchmark::State& state) {
    auto list = pendingLikeList();
    const std::vector<ReportList::Row> rows =
        pendingLikeRows(*list, static_cast<int>(state.range(0)));
    const QIcon icon(Assets::picture("listPending"));
    for (auto _ : state) {
        list->clear();
        list->setUpdatesEnabled(false);
        for (const ReportList::Row& row : rows)
            list->addRow(row, icon);
        list->setUpdatesEnabled(true);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFill)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same rows in one go, as a reload hands them over.
void BM_ListFillBulk(benchmark::State& state) {
    auto list = pendingLikeList();
    const std::vector<ReportList::Row> rows =
        pendingLikeRows(*list, static_cast<int>(state.range(0)));
    const QIcon icon(Assets::picture("listPending"));
    for (auto _ : state)
        list->setRows(rows, icon);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFillBulk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int pendingRows(const MainWindow& window) {
    return window.findChild<ReportList*>("pendingList")->count();
}

Session busySession() {
    Session session;
    session.connectionName = BenchStore::kConnection;
    session.currentUserKey = kBusyUser;
    session.currentUserName = QStringLiteral("系统管理员");
    return session;
}

// The clock of a benchmark that wants the stored starts not yet due.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now) : now_(std::move(now)) { SystemClock::install(this); }
    ~FixedClock() override { SystemClock::install(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    QDateTime now() const override { return now_; }

private:
    QDateTime now_;
};

// The connection to the large store on that engine, built the first time.
const QString& connectionOn(Engine engine) {
    if (engine == Engine::Postgres) {
        BenchStore::serverLocation();
        return BenchStore::kServerConnection;
    }
    BenchStore::path();
    return BenchStore::kConnection;
}

// A user of the large store with one pending ordinary reminder, started with the tied ones:
// the poll to compare theirs with. Made the first time on each engine.
int singleRowUser(const QString& connection) {
    static QStringList made;
    const int key = BenchStore::kTiedUser + 1;
    if (made.contains(connection))
        return key;
    QSqlQuery insert(QSqlDatabase::database(connection));
    insert.prepare("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                   "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, "
                   "TotalTime) VALUES(?, '一条', 0, '2010-11-12 08:51:37', 5, '分', "
                   "'2010-11-12 08:51:37', 1, 0, 0, 18000)");
    insert.addBindValue(key);
    insert.exec();
    made << connection;
    return key;
}

// One ordinary poll of a user whose head holds state.range(0) tied rows (1 or 10,000), all
// due (`due`) or none; the poll's cost must not follow the number of ties.
void pollTied(benchmark::State& state, bool due, Engine engine) {
    Session session;
    session.connectionName = connectionOn(engine);
    session.currentUserKey =
        state.range(0) == 1 ? singleRowUser(session.connectionName) : BenchStore::kTiedUser;
    // The tied rows start in November 2010: a month before, none is due.
    std::optional<FixedClock> before;
    if (!due)
        before.emplace(QDateTime(QDate(2010, 10, 1), QTime(9, 0)));
    Silence silence;
    ReminderPolling polling(
        session, [] {}, silence, [](const PopupContext&) -> ReminderWindow* { return nullptr; });
    for (ReminderKind kind : kAllReminderKinds)
        polling.pollTimer(kind)->stop();
    const quint64 moments = Query::momentsConverted();
    for (auto _ : state)
        polling.poll(ReminderKind::Ordinary);
    state.counters["moments_per_poll"] =
        static_cast<double>(Query::momentsConverted() - moments) / state.iterations();
    if (polling.repeatTimer(ReminderKind::Ordinary)->isEnabled() != due)
        state.SkipWithError(due ? "the tied rows were not due" : "the tied rows were due");
}

void BM_PollTiedDue(benchmark::State& state) {
    pollTied(state, true, Engine::Sqlite);
}
BENCHMARK(BM_PollTiedDue)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_PollTiedNotDue(benchmark::State& state) {
    pollTied(state, false, Engine::Sqlite);
}
BENCHMARK(BM_PollTiedNotDue)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The repeat tick of an open ordinary popup listing the tied user's 10,000 rows: with the
// store unchanged since the list was read, and after a write (the list read again).
void popupTick(benchmark::State& state, bool afterAWrite) {
    BenchStore::path();
    Session session;
    session.connectionName = BenchStore::kConnection;
    session.currentUserKey = BenchStore::kTiedUser;
    Silence silence;
    ReminderPolling polling(
        session, [] {}, silence, Popups::standardFactory());
    for (ReminderKind kind : kAllReminderKinds)
        polling.pollTimer(kind)->stop();
    polling.repeatTick(ReminderKind::Ordinary);
    const ReminderWindow* popup = polling.openPopup(ReminderKind::Ordinary);
    const auto* list = popup ? popup->findChild<ReportList*>("reminderList") : nullptr;
    if (!list || list->count() != state.range(0)) {
        state.SkipWithError("the popup does not list the tied rows");
        return;
    }
    QSqlQuery write(QSqlDatabase::database(BenchStore::kConnection));
    for (auto _ : state) {
        if (afterAWrite) {
            state.PauseTiming();
            // A row of somebody else: the list stays the same, the store has changed.
            write.exec("UPDATE tbl_reminder SET ReAction=0 WHERE KeyID=" +
                       QString::number(BenchStore::kRows));
            state.ResumeTiming();
        }
        polling.repeatTick(ReminderKind::Ordinary);
    }
    if (polling.openPopup(ReminderKind::Ordinary) != popup)
        state.SkipWithError("the popup went away");
}

void BM_PopupTickUnchanged(benchmark::State& state) {
    popupTick(state, false);
}
BENCHMARK(BM_PopupTickUnchanged)->Arg(BenchStore::kTiedRows)->Unit(benchmark::kMicrosecond);

void BM_PopupTickAfterAWrite(benchmark::State& state) {
    popupTick(state, true);
}
BENCHMARK(BM_PopupTickAfterAWrite)->Arg(BenchStore::kTiedRows)->Unit(benchmark::kMillisecond);

// The ordinary poll of the busy user while another copy holds the store's write lock: the
// poll gives up at once and tries again at its next round, so the window's thread pays only
// for the attempt.
void BM_PollWhileLocked(benchmark::State& state) {
    const QString& path = BenchStore::path();
    Session session = busySession();
    Silence silence;
    ReminderPolling polling(
        session, [] {}, silence, [](const PopupContext&) -> ReminderWindow* { return nullptr; });
    for (ReminderKind kind : kAllReminderKinds)
        polling.pollTimer(kind)->stop();
    // Its ticks come from here, through the same guard as the event loop's.
    QTimer* timer = polling.pollTimer(ReminderKind::Ordinary);
    timer->start(std::chrono::hours(1));
    const QString lockName = QStringLiteral("bench-lock");
    if (Connection::open(path, lockName).result != Connection::OpenResult::Opened) {
        state.SkipWithError("the second connection did not open");
        return;
    }
    {
        QSqlQuery lock(QSqlDatabase::database(lockName));
        if (!lock.exec(QStringLiteral("BEGIN EXCLUSIVE")))
            state.SkipWithError("the lock was not taken");
        for (auto _ : state) {
            QTimerEvent tick(timer->timerId());
            QCoreApplication::sendEvent(timer, &tick);
        }
        if (polling.repeatTimer(ReminderKind::Ordinary)->isEnabled())
            state.SkipWithError("a poll ran through the lock");
        lock.exec(QStringLiteral("ROLLBACK"));
    }
    Connection::close(lockName);
}
BENCHMARK(BM_PollWhileLocked)->Unit(benchmark::kMicrosecond);

void BM_ReloadThreeLists(benchmark::State& state) {
    BenchStore::path();
    Session session = busySession();
    auto window = mainWindow(session);
    window->show();
    for (auto _ : state)
        window->reloadLists();
    if (pendingRows(*window) != kBusyUserPending)
        state.SkipWithError("wrong row count");
}
BENCHMARK(BM_ReloadThreeLists)->Unit(benchmark::kMillisecond);

// From a successful login check to the window on the screen with the user's lists.
void BM_LoginToMainWindow(benchmark::State& state) {
    BenchStore::path();
    Session session = busySession();
    BenchWindow::timeLoginToMainWindow(state, session, [](const MainWindow& window) {
        return pendingRows(window) == kBusyUserPending;
    });
}
BENCHMARK(BM_LoginToMainWindow)->Unit(benchmark::kMillisecond);

// The floor of the same road: the pending list's statement on the C API, its texts into a
// list of the window's size, painted once.
void BM_LoginToMainWindow_Floor(benchmark::State& state) {
    SqliteFloor floor(BenchStore::path());
    const QIcon icon(Assets::picture("listPending"));
    const QStringList columns{"KeyID", "ReDetail", "UserTrueName", "ReDoTime"};
    for (auto _ : state) {
        state.PauseTiming();
        auto list = pendingLikeList();
        state.ResumeTiming();
        const std::vector<QStringList> rows =
            floor.rows(Statements::kPendingList, kBusyUser, columns);
        list->setUpdatesEnabled(false);
        for (const QStringList& row : rows)
            list->addRow(list->row({{Column::Key, row[0]},
                                    {Column::Content, row[1]},
                                    {Column::Publisher, row[2]},
                                    {Column::Time, row[3]}}),
                         icon);
        list->setUpdatesEnabled(true);
        list->repaint();
        state.PauseTiming();
        if (list->count() != kBusyUserPending)
            state.SkipWithError("wrong row count");
        list.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoginToMainWindow_Floor)->Unit(benchmark::kMillisecond);

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// What 10,000 pending rows cost the shown window, above the same window with empty lists.
// The store's page cache and the prepared statements are warmed by a reload first.
void BM_MainWindowMemory(benchmark::State& state) {
    BenchStore::path();
    Session session = busySession();
    auto window = mainWindow(session);
    window->show();
    window->reloadLists();
    for (auto _ : state) {
        session.currentUserKey = 0;
        window->reloadLists();
        window->repaint();
        malloc_trim(0);
        const std::size_t empty = heapInUse();
        session.currentUserKey = kBusyUser;
        window->reloadLists();
        window->repaint();
        const std::size_t full = heapInUse();
        state.counters["empty_window_KB"] = static_cast<double>(empty) / 1024.0;
        state.counters["growth_KB"] =
            (static_cast<double>(full) - static_cast<double>(empty)) / 1024.0;
        state.counters["bytes_per_row"] =
            (static_cast<double>(full) - static_cast<double>(empty)) / kBusyUserPending;
    }
}
BENCHMARK(BM_MainWindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same polls on the server, last: the copy of the store to it takes a while.
void BM_PollTiedDue_PostgreSQL(benchmark::State& state) {
    pollTied(state, true, Engine::Postgres);
}
BENCHMARK(BM_PollTiedDue_PostgreSQL)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_PollTiedNotDue_PostgreSQL(benchmark::State& state) {
    pollTied(state, false, Engine::Postgres);
}
BENCHMARK(BM_PollTiedNotDue_PostgreSQL)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    // The main window asks for the login on its first show; here nobody answers.
    ModalRunner::install([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ModalRunner::install({});
    BenchStore::release();
    return 0;
}
