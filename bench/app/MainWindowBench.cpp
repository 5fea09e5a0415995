// The main window and its lists on a large shared file (see BenchStore): filling a list, the
// poll of a user whose due rows all tie, the poll while another copy holds the lock, the
// reload of the three lists, the road from a successful login to the window showing 10,000
// pending rows, and what those rows cost in memory. Floors run the same statement straight on
// the SQLite C API.
#include "BenchWindow.h"
#include "app/MainWindow.h"
#include "chrome/Assets.h"
#include "platform/ModalRunner.h"
#include "platform/ReportList.h"
#include "schedule/ReminderPolling.h"
#include "schedule/SoundPlayer.h"
#include "store/Connection.h"
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

void BM_PollTiedDueRows(benchmark::State& state) {
    BenchStore::path();
    Session session;
    session.connectionName = BenchStore::kConnection;
    session.currentUserKey = BenchStore::kTiedUser;
    Silence silence;
    ReminderPolling polling(
        session, [] {}, silence, [](const PopupContext&) -> ReminderWindow* { return nullptr; });
    for (ReminderKind kind : kAllReminderKinds)
        polling.pollTimer(kind)->stop();
    for (auto _ : state)
        polling.poll(ReminderKind::Ordinary);
    if (!polling.repeatTimer(ReminderKind::Ordinary)->isEnabled())
        state.SkipWithError("the tied rows were not due");
}
BENCHMARK(BM_PollTiedDueRows)->Unit(benchmark::kMillisecond);

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

void BM_PollTiedDueRows_CApiPreparedOnce(benchmark::State& state) {
    SqliteFloor floor(BenchStore::path());
    for (auto _ : state) {
        if (floor.run(Statements::kPollOrdinary, BenchStore::kTiedUser, true) !=
            BenchStore::kTiedRows)
            state.SkipWithError("wrong row count");
    }
    benchmark::DoNotOptimize(floor.checksum());
}
BENCHMARK(BM_PollTiedDueRows_CApiPreparedOnce)->Unit(benchmark::kMillisecond);

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
