// Start-up outcomes: what the user sees for each state of the store file, and the first start of
// an installed program.
#include "app/Startup.h"
#include "app/FirstStartDialog.h"
#include "app/StoreConnection.h"
#include "platform/ExecutableFolder.h"
#include "platform/FilePickers.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/StoreError.h"
#include "support/Controls.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedBoxes.h"
#include "users/LoginDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool anyWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return true;
    return false;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ExecutableFolder::overrideForTests(dir.path()); }
    void TearDown() override { ExecutableFolder::overrideForTests(QString()); }

    QString storePath() const { return dir.filePath("qxreminder.mcm"); }

    QTemporaryDir dir;
    ScriptedBoxes boxes;
};

TEST_F(StartupTest, NoStoreShowsOnlyTheStartupFailureBox) {
    // A portable installation (its settings beside the executable) that lost its store.
    QFile settings(dir.filePath("qxconfig.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.close();
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

class LoginHostStub final : public LoginHost {
public:
    void showGreeting(const QString&) override {}
    void applyPermissions(int) override {}
};

TEST_F(StartupTest, AServerIsNotReachedBeforeTheLoginAndAnUnreachableOneIsToldThere) {
    Session session;
    session.connectionName = "unreachable";
    StoreConnection connection(session);
    connection.openStore("postgresql:///qxreminder?host=/nonexistent/qx&port=5432");
    EXPECT_FALSE(connection.hasStartupFailed());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(Connection::connectAttempts(session.connectionName), 0);

    LoginHostStub host;
    LoginDialog login(session, host);
    control<QLineEdit>(&login, "loginNameEdit")->setText("alice");
    control<QLineEdit>(&login, "passwordEdit")->setText("secret");
    control<QPushButton>(&login, "loginButton")->click();
    EXPECT_NE(login.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.count(), 1);
    const QStringList lines = boxes.last().text.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], StoreConnection::connectionFailureText());
    EXPECT_TRUE(lines[1].contains("/nonexistent/qx/.s.PGSQL.5432")) << lines[1].toStdString();
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
    EXPECT_TRUE(Connection::database(program->session.connectionName).isOpen());
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

// The first start of an installed program: no store beside the executable and none configured.
class FirstStartTest : public ::testing::Test {
protected:
    FirstStartTest() : configHome_("XDG_CONFIG_HOME", QFile::encodeName(config.path())) {
        ExecutableFolder::overrideForTests(bin.path());
        FilePickers::install([this](const FilePickers::Request& request) {
            pickRequests.push_back(request);
            if (pickAnswers.isEmpty()) {
                ADD_FAILURE() << "unexpected file picker";
                return QString();
            }
            return pickAnswers.takeFirst();
        });
    }
    ~FirstStartTest() override {
        FilePickers::install({});
        ExecutableFolder::overrideForTests(QString());
    }

    QString settingsPath() const { return config.filePath("QxReminder/qxconfig.ini"); }
    QString setting(const QString& key) const {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key).toString();
    }
    // Starts the program, pressing the first-start dialog's buttons (by object name) in turn.
    std::unique_ptr<Startup::Program> startPressing(QStringList buttons, int& exitCode) {
        ScriptedModal modal([&](QDialog& dialog) {
            auto* firstStart = dynamic_cast<FirstStartDialog*>(&dialog);
            if (firstStart == nullptr) {
                ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className();
                return int(QDialog::Rejected);
            }
            shownDialog = firstStart;
            explanation = control<QLabel>(&dialog, "explanationLabel")->text();
            captions = {control<QPushButton>(&dialog, "openExistingButton")->text(),
                        control<QPushButton>(&dialog, "createNewButton")->text(),
                        control<QPushButton>(&dialog, "exitButton")->text()};
            while (!buttons.isEmpty() && dialog.result() != QDialog::Accepted) {
                const QString button = buttons.takeFirst();
                if (button == "connectServerButton")
                    control<QLineEdit>(&dialog, "serverEdit")->setText(serverAnswers.takeFirst());
                dialog.findChild<QPushButton*>(button)->click();
            }
            return dialog.result();
        });
        shownDialog = nullptr;
        return Startup::start(&exitCode);
    }

    QTemporaryDir bin;
    QTemporaryDir config;
    QTemporaryDir shared;
    ScopedEnvironment configHome_;
    ScriptedBoxes boxes;
    QStringList pickAnswers;
    QStringList serverAnswers; // typed into the server field before each connect click
    std::vector<FilePickers::Request> pickRequests;
    FirstStartDialog* shownDialog = nullptr;
    QString explanation;
    QStringList captions;
};

TEST_F(FirstStartTest, ANewStoreIsCreatedChosenAndThenOpenedWithoutAskingAgain) {
    const QString existing = shared.filePath("taken.mcm");
    NewStore::create(existing);
    const QString created = shared.filePath("team/qxreminder.mcm");
    QDir(shared.path()).mkpath("team");
    // The first place picked is taken: the dialog says so and stays for another pick.
    pickAnswers = {existing, created};
    int exitCode = -1;
    auto program = startPressing({"createNewButton", "createNewButton"}, exitCode);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(shownDialog, nullptr);
    EXPECT_EQ(captions, QStringList({"打开已有的数据文件…", "新建数据文件…", "退出"}));
    ASSERT_EQ(pickRequests.size(), 2u);
    EXPECT_EQ(pickRequests[0].purpose, FilePickers::Purpose::SaveNew);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.startsWith("新建数据文件失败"))
        << boxes.last().text.toStdString();

    EXPECT_TRUE(Connection::database(program->session.connectionName).isOpen());
    EXPECT_EQ(Connection::filePath(program->session.connectionName), created);
    EXPECT_THROW(NewStore::create(created), StoreError) << "the store-creation tool refuses it";
    EXPECT_EQ(setting("Store/Path"), created);
    EXPECT_EQ(setting("Login/Name"), NewStore::kAdminLogName);
    EXPECT_TRUE(QDir(bin.path()).isEmpty()) << "nothing is written beside an installed program";

    // The second start goes straight to the login, with the administrator's name remembered.
    program.reset();
    boxes.clear();
    program = startPressing({}, exitCode);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(shownDialog, nullptr);
    EXPECT_EQ(boxes.count(), 0);
    bool loggedIn = false;
    ScriptedModal login([&](QDialog& dialog) {
        // The administrator's initial password asks for a new one before anything else.
        if (dialog.objectName() == "passwordDialog") {
            control<QLineEdit>(&dialog, "oldPasswordEdit")->setText(NewStore::kAdminDefaultPassword);
            control<QLineEdit>(&dialog, "newPasswordEdit")->setText("Neu-2026");
            control<QPushButton>(&dialog, "changeButton")->click();
            return int(QDialog::Rejected);
        }
        auto& loginDialog = dynamic_cast<LoginDialog&>(dialog);
        loginDialog.show(); // offers the remembered name
        EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), NewStore::kAdminLogName);
        control<QLineEdit>(&dialog, "passwordEdit")->setText(NewStore::kAdminDefaultPassword);
        control<QPushButton>(&dialog, "loginButton")->click();
        loggedIn = dialog.result() == QDialog::Accepted;
        return dialog.result();
    });
    program->mainWindow->show(); // asks for the login
    QCoreApplication::processEvents();
    EXPECT_TRUE(loggedIn);
}

TEST_F(FirstStartTest, AChosenFileThatIsNotAStoreFailsAsBeforeAndIsNotKept) {
    const QString junk = shared.filePath("notes.mcm");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    pickAnswers = {junk};
    int exitCode = -1;
    EXPECT_EQ(startPressing({"openExistingButton"}, exitCode), nullptr);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(pickRequests.at(0).purpose, FilePickers::Purpose::OpenExisting);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, StoreConnection::connectionFailureText());
    EXPECT_EQ(boxes.all()[1].text, StoreConnection::startupFailureText());
    EXPECT_FALSE(anyWindowVisible());
    EXPECT_FALSE(QFile::exists(settingsPath())) << "the next start asks again";
}

TEST_F(FirstStartTest, AMissingConfiguredStoreIsNamedAndLeavingWritesNothing) {
    QDir().mkpath(config.filePath("QxReminder"));
    QSettings(settingsPath(), QSettings::IniFormat).setValue("Store/Path", "gone/team.mcm");
    const QByteArray before = [&] {
        QFile settings(settingsPath());
        return settings.open(QIODevice::ReadOnly) ? settings.readAll() : QByteArray();
    }();
    ASSERT_FALSE(before.isEmpty());
    // A cancelled pick leaves the dialog open; "退出" then ends the program normally.
    pickAnswers = {QString()};
    int exitCode = -1;
    EXPECT_EQ(startPressing({"openExistingButton", "exitButton"}, exitCode), nullptr);
    EXPECT_NE(shownDialog, nullptr);
    EXPECT_EQ(pickRequests.size(), 1u);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(
        explanation.contains(QDir::toNativeSeparators(config.filePath("QxReminder/gone/team.mcm"))))
        << explanation.toStdString();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(anyWindowVisible());
    QFile settings(settingsPath());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), before);
    EXPECT_EQ(QDir(config.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"QxReminder"}));
}

TEST_F(FirstStartTest, AServerAddressIsCheckedAtOnceAndKeptOnlyOnceSomebodyLoggedIn) {
    // A file path in the server field is refused on the spot; a well-formed address goes to the
    // login, and the start keeps nothing until a login through it succeeds.
    serverAnswers = {"/srv/team.mcm",
                     " postgresql:///qxreminder?host=/nonexistent/qx&port=5432&connect_timeout=2 "};
    int exitCode = -1;
    auto program = startPressing({"connectServerButton", "connectServerButton"}, exitCode);
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(pickRequests.empty());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.all()[0].text.contains("postgresql://")) << boxes.all()[0].text.toStdString();
    EXPECT_EQ(Connection::connectAttempts(program->session.connectionName), 0);

    ScriptedModal login([&](QDialog& dialog) {
        control<QLineEdit>(&dialog, "loginNameEdit")->setText("alice");
        control<QLineEdit>(&dialog, "passwordEdit")->setText("secret");
        control<QPushButton>(&dialog, "loginButton")->click();
        return int(QDialog::Rejected);
    });
    program->mainWindow->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.count(), 2);
    const QString failure = boxes.all()[1].text;
    EXPECT_TRUE(failure.startsWith(StoreConnection::connectionFailureText() + '\n'));
    EXPECT_TRUE(failure.contains("/nonexistent/qx")) << failure.toStdString();
    EXPECT_FALSE(QFile::exists(settingsPath())) << "the next start asks again";
}

} // namespace
