// Start-up outcomes: what the user sees for each state of the store file.
#include "app/Startup.h"
#include "app/StoreConnection.h"
#include "platform/ExecutableFolder.h"
#include "store/NewStore.h"
#include "support/ScriptedBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ExecutableFolder::overrideForTests(dir.path()); }
    void TearDown() override { ExecutableFolder::overrideForTests(QString()); }

    QString storePath() const { return dir.filePath("qxreminder.mcm"); }
    static bool anyWindowVisible() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                return true;
        return false;
    }

    QTemporaryDir dir;
    ScriptedBoxes boxes;
};

TEST_F(StartupTest, NoStoreShowsOnlyTheStartupFailureBox) {
    EXPECT_EQ(Startup::start(), nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("系统启动失败！，请联系")));
    EXPECT_EQ(boxes.last().text.count(QLatin1Char('\r')), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("\r联系电话：")));
    EXPECT_FALSE(anyWindowVisible());
    EXPECT_FALSE(QFile::exists(storePath())) << "the program never creates the store";
}

TEST_F(StartupTest, AFileThatIsNotADatabaseShowsBothBoxes) {
    QFile junk(storePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("Standard Jet DB, or anything else that is not ours");
    junk.close();
    EXPECT_EQ(Startup::start(), nullptr);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("连接数据库失败,请重新配置数据库信息！"));
    EXPECT_EQ(boxes.all()[0].caption, QStringLiteral("系统错误:"));
    EXPECT_EQ(boxes.all()[0].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_TRUE(boxes.all()[1].text.startsWith(QStringLiteral("系统启动失败！")));
    EXPECT_FALSE(anyWindowVisible());
}

TEST_F(StartupTest, AnSqliteFileWithoutTheTablesShowsBothBoxes) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(storePath());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE other(x)");
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    EXPECT_EQ(Startup::start(), nullptr);
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_FALSE(anyWindowVisible());
}

TEST_F(StartupTest, AServerThatCannotBeReachedShowsItsMessageUnderTheConnectionFailure) {
    Session session;
    session.connectionName = "unreachable";
    StoreConnection connection(session);
    connection.openStore("postgresql:///qxreminder?host=/nonexistent/qx&port=5432");
    EXPECT_TRUE(connection.hasStartupFailed());
    ASSERT_EQ(boxes.count(), 2);
    const QStringList lines = boxes.all()[0].text.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], StoreConnection::connectionFailureText());
    EXPECT_TRUE(lines[1].contains("/nonexistent/qx/.s.PGSQL.5432")) << lines[1].toStdString();
    EXPECT_TRUE(boxes.all()[1].text.startsWith(QStringLiteral("系统启动失败！")));
}

TEST_F(StartupTest, AGoodStoreStartsWithoutAnyBoxFromAnotherWorkingDirectory) {
    NewStore::create(storePath());
    const QString previous = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    auto program = Startup::start();
    QDir::setCurrent(previous);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("qxconfig.ini"))) << "start-up reads no settings";
    EXPECT_FALSE(program->mainWindow->isVisible()) << "the event loop shows the window, not Start";
    EXPECT_TRUE(QSqlDatabase::database(program->session.connectionName, false).isOpen());
}

TEST(ExecutableFolderTest, IsTheExecutablesDirectoryNotTheWorkingDirectory) {
    const QString previous = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    const QString path = ExecutableFolder::path();
    QDir::setCurrent(previous);
    EXPECT_EQ(path, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    EXPECT_NE(QDir::cleanPath(path), QDir::cleanPath(elsewhere.path()));
}

} // namespace
