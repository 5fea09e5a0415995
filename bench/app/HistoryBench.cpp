// The history list against the length of the history: two users of one store, alike but for
// their history, 100 rows for one and 100,000 for the other, every row at the default
// interval's sort key (as a history of reminders entered with "5 分" is). A reading of the
// lists after a change, and the road from a successful login to the window showing them, cost
// the same for both; the whole history read into the list, as a reading took it before it came
// a page at a time, is what that spares.
#include "BenchWindow.h"
#include "app/MainWindow.h"
#include "chrome/Assets.h"
#include "platform/ReportList.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/UserNames.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <random>

namespace {

constexpr int kUsers = 1000;
constexpr int kOtherRows = 200000;
constexpr int kPendingRows = 50;   // of each of the two users, and as many published by each
constexpr int kShortHistory = 100; // rows of the first user's history
constexpr int kLongHistory = 100000;
constexpr int kShortHistoryUser = 2;
constexpr int kLongHistoryUser = 3;
const QString kConnection = QStringLiteral("history-bench");

class HistoryStore {
public:
    HistoryStore() {
        std::fprintf(stderr, "Building a store with histories of %d and %d rows...\n",
                     kShortHistory, kLongHistory);
        NewStore::create(path());
        fill(path());
        Connection::open(path(), kConnection);
    }
    ~HistoryStore() { Connection::close(kConnection); }
    QString path() const { return dir_.filePath("qxreminder.mcm"); }

private:
    static void fill(const QString& path) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "history-fill");
            db.setDatabaseName(path);
            db.open();
            QSqlQuery(db).exec("BEGIN");
            QSqlQuery users(db);
            users.prepare("WITH RECURSIVE n(u) AS (SELECT 2 UNION ALL SELECT u + 1 FROM n WHERE "
                          "u < ?) INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, "
                          "Remarks, IfAdmin) SELECT 'user' || u, '用户' || u, '1', '', 0 FROM n");
            users.addBindValue(kUsers);
            users.exec();
            QSqlQuery reminder(db);
            reminder.prepare("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, "
                             "ReBeginTime, ReIntervalNumber, ReIntervalType, ReDoTime, "
                             "RedouserID, Retype, IfDone, TotalTime) "
                             "VALUES(?, ?, 0, '2010-11-12 08:51:37', ?, '分', ?, ?, 0, ?, ?)");
            int row = 0;
            auto add = [&](int recipient, int publisher, int done, int minutes) {
                reminder.addBindValue(recipient);
                reminder.addBindValue(QStringLiteral("提醒内容 %1：请按时处理相关事项。").arg(row));
                reminder.addBindValue(minutes);
                reminder.addBindValue(QStringLiteral("2010-11-%1 08:%2:00")
                                          .arg(1 + row % 28, 2, 10, QLatin1Char('0'))
                                          .arg(row % 60, 2, 10, QLatin1Char('0')));
                reminder.addBindValue(publisher);
                reminder.addBindValue(done);
                // The entry scale: sixtieths of a second.
                reminder.addBindValue(minutes * 3600);
                reminder.exec();
                ++row;
            };
            std::mt19937 random(2468);
            std::uniform_int_distribution<int> anyUser(4, kUsers);
            std::uniform_int_distribution<int> minutes(1, 60);
            for (int i = 0; i < kOtherRows; ++i)
                add(anyUser(random), anyUser(random), i % 2, minutes(random));
            for (int user : {kShortHistoryUser, kLongHistoryUser}) {
                for (int i = 0; i < kPendingRows; ++i) {
                    add(user, anyUser(random), 0, minutes(random));
                    add(anyUser(random), user, 0, minutes(random));
                }
                const int history = user == kShortHistoryUser ? kShortHistory : kLongHistory;
                for (int i = 0; i < history; ++i)
                    add(user, anyUser(random), 1, 5);
            }
            QSqlQuery(db).exec("COMMIT");
            QSqlQuery(db).exec("ANALYZE");
            db.close();
        }
        QSqlDatabase::removeDatabase("history-fill");
    }

    QTemporaryDir dir_;
};

HistoryStore& store() {
    static std::unique_ptr<HistoryStore> built;
    if (!built) {
        built = std::make_unique<HistoryStore>();
        // Its connection closes while Qt still runs.
        qAddPostRoutine([] { built.reset(); });
    }
    return *built;
}

int historyUser(const benchmark::State& state) {
    return state.range(0) == kLongHistory ? kLongHistoryUser : kShortHistoryUser;
}

Session sessionOf(int user) {
    store();
    Session session;
    session.connectionName = kConnection;
    session.currentUserKey = user;
    session.currentUserName = QStringLiteral("用户%1").arg(user);
    return session;
}

const ReportList& historyList(const MainWindow& window) {
    return *window.findChild<ReportList*>("historyList");
}

// A reading of the three lists after a change to the user's history, with the history page
// showing: another copy changed the text of the first history row (so the store's page cache
// of this copy is read again, as after any write of another copy).
void BM_HistoryReload(benchmark::State& state) {
    Session session = sessionOf(historyUser(state));
    auto window = BenchWindow::mainWindow(session);
    window->show();
    window->findChild<QTabWidget*>("pages")->setCurrentIndex(2);
    window->reloadLists();
    const QString firstKey = historyList(*window).text(0, ReportList::Column::Key);
    const QString otherCopy = QStringLiteral("history-bench-other-copy");
    Connection::open(store().path(), otherCopy);
    int round = 0;
    {
        QSqlQuery change(QSqlDatabase::database(otherCopy));
        change.prepare("UPDATE tbl_reminder SET ReDetail=? WHERE KeyID=?");
        for (auto _ : state) {
            state.PauseTiming();
            change.addBindValue(QStringLiteral("改过 %1").arg(++round));
            change.addBindValue(firstKey);
            change.exec();
            state.ResumeTiming();
            window->reloadLists();
        }
    }
    Connection::close(otherCopy);
    if (historyList(*window).text(0, ReportList::Column::Content) !=
        QStringLiteral("改过 %1").arg(round))
        state.SkipWithError("the change was not read");
    state.counters["rows_shown"] = historyList(*window).count();
}
BENCHMARK(BM_HistoryReload)->Arg(kShortHistory)->Arg(kLongHistory)->Unit(benchmark::kMillisecond);

// From a successful login check to the window on the screen with the user's three lists.
void BM_LoginToMainWindowWithHistory(benchmark::State& state) {
    Session session = sessionOf(historyUser(state));
    const int shown = std::min<int>(static_cast<int>(state.range(0)), HistoryPages::kPageRows);
    BenchWindow::timeLoginToMainWindow(state, session, [shown](const MainWindow& window) {
        return historyList(window).count() == shown;
    });
}
BENCHMARK(BM_LoginToMainWindowWithHistory)
    ->Arg(kShortHistory)
    ->Arg(kLongHistory)
    ->Unit(benchmark::kMillisecond);

// What a reading cost when it took the whole history: the statement and the list's rows.
void BM_HistoryWholeReading(benchmark::State& state) {
    Session session = sessionOf(historyUser(state));
    ReportList list;
    using Column = ReportList::Column;
    list.setColumns({{Column::Key, "编号", 60},
                     {Column::Content, "内容", 600},
                     {Column::Publisher, "发布人", 100},
                     {Column::Time, "发布时间", 178}});
    const QIcon icon(Assets::picture("listHistory"));
    Query names(kConnection);
    Query history(kConnection);
    for (auto _ : state) {
        const UserNames publishers = UserNames::read(names);
        history.setStatement(QString::fromUtf8(Statements::kHistoryList));
        history.bindInteger("p", session.currentUserKey);
        history.open();
        std::vector<ReportList::Row> rows;
        rows.reserve(history.recordCount());
        for (; !history.atEnd(); history.next())
            rows.push_back(list.row(
                {{Column::Key, history.fieldAsString("KeyID")},
                 {Column::Content, history.fieldAsString("Redetail")},
                 {Column::Publisher, publishers.nameOf(history.fieldAsInteger("ReDOuserID"))},
                 {Column::Time, history.fieldAsString("ReDotime")}}));
        history.close();
        list.setRows(std::move(rows), icon);
    }
    if (list.count() != state.range(0))
        state.SkipWithError("wrong row count");
}
BENCHMARK(BM_HistoryWholeReading)
    ->Arg(kShortHistory)
    ->Arg(kLongHistory)
    ->Unit(benchmark::kMillisecond);

} // namespace
