// How the program reaches a server: nothing before the login, nothing to a server that does
// not prove who it is, and never longer than its bound, however the server behaves.
#include "store/Accounts.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/StoreError.h"
#include "support/FakeServer.h"

#include <gtest/gtest.h>

namespace {

class ServerConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Connection::overrideWaitsForTests(std::chrono::milliseconds(2500),
                                          std::chrono::milliseconds(1000));
    }
    void TearDown() override {
        Connection::close("fake");
        Connection::overrideWaitsForTests({}, {});
    }
    // A login on the store through the fake server; the kind of its failure.
    std::optional<StoreError::Kind> logInFails(const QString& uri) {
        EXPECT_EQ(Connection::open(uri, "fake").result, Connection::OpenResult::Opened);
        Query query("fake");
        try {
            Accounts::logIn(query, "alice", "Secret");
        } catch (const StoreError& error) {
            return error.kind();
        }
        return std::nullopt;
    }
};

TEST_F(ServerConnectionTest, AServerThatWillNotProveItselfGetsNoPassword) {
    FakeServer server(FakeServer::Behaviour::AsksClearTextPassword);
    ASSERT_EQ(Connection::open(server.uri(), "fake").result, Connection::OpenResult::Opened);
    EXPECT_EQ(server.connections(), 0) << "nothing connects before the login";
    EXPECT_EQ(logInFails(server.uri()), StoreError::Kind::Unreachable);
    EXPECT_GE(server.connections(), 1);
    EXPECT_FALSE(server.receivedPassword());
}

TEST_F(ServerConnectionTest, AUriThatCouldSendThePasswordElsewhereIsRefusedBeforeAnythingIsSent) {
    FakeServer server(FakeServer::Behaviour::AsksClearTextPassword);
    const quint64 attempts = Connection::connectAttempts("fake");
    for (const QString& parameters :
         {QStringLiteral("hostaddr=127.0.0.1"), QStringLiteral("password=Secret"),
          QStringLiteral("service=team")}) {
        SCOPED_TRACE(parameters.toStdString());
        const Connection::Outcome outcome = Connection::open(server.uri(parameters), "fake");
        EXPECT_EQ(outcome.result, Connection::OpenResult::CannotOpen);
        EXPECT_EQ(Connection::connectAttempts("fake"), attempts);
    }
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(ServerConnectionTest, ALoginToASilentServerFailsAtItsBound) {
    FakeServer server(FakeServer::Behaviour::Silent);
    const std::optional<StoreError::Kind> failure = logInFails(server.uri());
    ASSERT_TRUE(failure);
    EXPECT_TRUE(*failure == StoreError::Kind::ServerSilent ||
                *failure == StoreError::Kind::Unreachable);
    EXPECT_EQ(server.connections(), 1);
    EXPECT_FALSE(Connection::database("fake").isOpen());
}

} // namespace
