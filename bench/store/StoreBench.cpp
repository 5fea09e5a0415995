// The store under the load of a large shared file (see BenchStore), and the same store on a
// PostgreSQL server over its local socket. The polls run every few seconds in every copy,
// the pending list at every reload. Beside each, its floor: the same statement text straight
// on the SQLite C API.
#include "store/Query.h"
#include "store/Statements.h"
#include "support/BenchStore.h"
#include "support/SqliteFloor.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

using BenchStore::kBusyUser;
using BenchStore::kBusyUserPending;
using BenchStore::kUsers;

// Polls each user in turn, as the copies of a thousand users do.
int nextUser(int user) {
    return user % kUsers + 1;
}

// The connection to the store on that engine, built the first time.
const QString& connectionOn(Engine engine) {
    if (engine == Engine::Postgres) {
        BenchStore::serverLocation();
        return BenchStore::kServerConnection;
    }
    BenchStore::path();
    return BenchStore::kConnection;
}

void BM_OrdinaryPoll(benchmark::State& state, Engine engine) {
    Query query(connectionOn(engine));
    int user = 2;
    for (auto _ : state) {
        query.setStatement(Statements::kPollOrdinary);
        query.bindInteger("p", user);
        query.open();
        benchmark::DoNotOptimize(query.recordCount());
        query.close();
        user = nextUser(user);
    }
}
BENCHMARK_CAPTURE(BM_OrdinaryPoll, SQLite, Engine::Sqlite)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_OrdinaryPoll, PostgreSQL, Engine::Postgres)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void pollFloor(benchmark::State& state, bool keepPrepared) {
    SqliteFloor floor(BenchStore::path());
    int user = 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(floor.run(Statements::kPollOrdinary, user, keepPrepared));
        user = nextUser(user);
    }
    benchmark::DoNotOptimize(floor.checksum());
}

void BM_OrdinaryPoll_CApiPreparedOnce(benchmark::State& state) {
    pollFloor(state, true);
}
BENCHMARK(BM_OrdinaryPoll_CApiPreparedOnce)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OrdinaryPoll_CApiPreparedPerCall(benchmark::State& state) {
    pollFloor(state, false);
}
BENCHMARK(BM_OrdinaryPoll_CApiPreparedPerCall)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PendingListOfBusyUser(benchmark::State& state, Engine engine) {
    Query query(connectionOn(engine));
    for (auto _ : state) {
        query.setStatement(Statements::kPendingList);
        query.bindInteger("p", kBusyUser);
        query.open();
        qint64 sum = 0;
        for (; !query.atEnd(); query.next()) {
            sum += query.fieldAsString("KeyID").size();
            sum += query.fieldAsString("Redetail").size();
            sum += query.fieldAsString("ReDOuserID").size();
            sum += query.fieldAsString("ReDotime").size();
        }
        if (query.recordCount() != kBusyUserPending)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK_CAPTURE(BM_PendingListOfBusyUser, SQLite, Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PendingListOfBusyUser, PostgreSQL, Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PendingListOfBusyUser_CApi(benchmark::State& state) {
    SqliteFloor floor(BenchStore::path());
    for (auto _ : state) {
        if (floor.run(Statements::kPendingList, kBusyUser, true) != kBusyUserPending)
            state.SkipWithError("wrong row count");
    }
    benchmark::DoNotOptimize(floor.checksum());
}
BENCHMARK(BM_PendingListOfBusyUser_CApi)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchStore::release();
    return 0;
}
