// The login dialog and the permission string, on a temporary store.
#include "platform/AppLifetime.h"
#include "platform/SettingsFile.h"
#include "store/NewStore.h"
#include "store/Query.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/Permissions.h"
#include "users/TFrmLogin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace {

class RecordingHost final : public LoginHost {
public:
    void ShowGreeting(const QString& userName) override { greeted << userName; }
    void ApplyPermissions(int userKey) override { applied << userKey; }
    QStringList greeted;
    QList<int> applied;
};

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppLifetime::installQuitHook([this] { ++quitRequests; });
    }
    void TearDown() override { AppLifetime::installQuitHook({}); }

    void login(TFrmLogin& dialog, const QString& name, const QString& password) {
        dialog.Edit1->setText(name);
        dialog.Edit2->setText(password);
        dialog.btnloginClick();
    }

    TempStore store;
    ScriptedBoxes boxes;
    RecordingHost host;
    int quitRequests = 0;
};

TEST_F(LoginTest, TheAdministratorLogsInWhateverTheLetterCaseAndIsRememberedForTheNextStart) {
    {
        TFrmLogin dialog(store.session(), host);
        dialog.show();
        EXPECT_EQ(dialog.Edit1->text(), QString()) << "no settings file: nothing offered";
        login(dialog, QStringLiteral("  ADMIN "),
              QStringLiteral(" ") + NewStore::kAdminDefaultPassword + " ");
        EXPECT_TRUE(dialog.LoggedIn());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(store.session().currentUserKey, 1);
    EXPECT_EQ(store.session().currentUserName, NewStore::kAdminTrueName);
    EXPECT_EQ(host.greeted, QStringList{NewStore::kAdminTrueName});
    EXPECT_EQ(host.applied, QList<int>{1});
    EXPECT_EQ(SettingsFile::read("Login", "Name", ""), QStringLiteral("ADMIN"));

    TFrmLogin next(store.session(), host);
    next.show();
    EXPECT_EQ(next.Edit1->text(), QStringLiteral("ADMIN"));
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(LoginTest, AWrongPasswordKeepsBothEditsAndFocusesTheLoginName) {
    TFrmLogin dialog(store.session(), host);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.Edit2->setFocus();
    login(dialog, QStringLiteral("admin"), QStringLiteral("wrong"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("用户名或者密码错误！"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("admin"));
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("wrong"));
    EXPECT_TRUE(dialog.Edit1->hasFocus());
    EXPECT_FALSE(dialog.LoggedIn());
    EXPECT_EQ(store.session().currentUserKey, 0);
    EXPECT_TRUE(host.applied.isEmpty());
    EXPECT_FALSE(QFile::exists(SettingsFile::filePath()));
    // Any number of tries.
    login(dialog, QStringLiteral("admin"), NewStore::kAdminDefaultPassword);
    EXPECT_TRUE(dialog.LoggedIn());
}

TEST_F(LoginTest, ThePasswordIsComparedWithoutRegardToLetterCase) {
    const int key = store.addUser("li", "李四", "Secret");
    TFrmLogin dialog(store.session(), host);
    login(dialog, QStringLiteral("li"), QStringLiteral("sECRET"));
    EXPECT_TRUE(dialog.LoggedIn());
    EXPECT_EQ(store.session().currentUserKey, key);
}

TEST_F(LoginTest, RestoringTheMinimisedDialogKeepsTheTypedNameAndOnlyANewShowOffersTheRemembered) {
    SettingsFile::write("Login", "Name", "admin");
    TFrmLogin dialog(store.session(), host);
    dialog.show();
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("admin"));
    dialog.Edit1->setText(QStringLiteral("zhang"));
    // The window system shows the window again when it comes back from the task bar.
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    QApplication::instance()->notify(&dialog, &restored);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("zhang"));
    // Hidden (into the tray) and shown again by the program: the dialog is opened afresh.
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("admin"));
}

TEST_F(LoginTest, EnterMovesToThePasswordThenLogsIn) {
    TFrmLogin dialog(store.session(), host);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.Edit1->setFocus();
    QTest::keyClicks(dialog.Edit1, QStringLiteral("admin"));
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    EXPECT_TRUE(dialog.Edit2->hasFocus());
    QTest::keyClicks(dialog.Edit2, NewStore::kAdminDefaultPassword);
    QTest::keyClick(dialog.Edit2, Qt::Key_Return);
    EXPECT_TRUE(dialog.LoggedIn());
    EXPECT_EQ(dialog.Edit2->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.Edit1->maxLength(), 10);
    EXPECT_EQ(dialog.Edit2->maxLength(), 15);
}

TEST_F(LoginTest, ExitOrClosingTheDialogEndsTheProgramWithoutWritingAnything) {
    {
        TFrmLogin dialog(store.session(), host);
        dialog.show();
        dialog.btnexitClick();
        EXPECT_EQ(quitRequests, 1);
    }
    {
        TFrmLogin dialog(store.session(), host);
        dialog.show();
        dialog.close();
        EXPECT_EQ(quitRequests, 2);
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(QFile::exists(SettingsFile::filePath()));
    EXPECT_EQ(store.session().currentUserKey, 0);
}

TEST_F(LoginTest, TheHintNamesTheAdministratorsFirstPassword) {
    TFrmLogin dialog(store.session(), host);
    EXPECT_EQ(dialog.Label4->text(),
              QStringLiteral("默认用户名/密码：admin / ") + NewStore::kAdminDefaultPassword);
    EXPECT_FALSE(dialog.Label4->isEnabled());
    login(dialog, QStringLiteral("admin"), dialog.Label4->text().right(1));
    EXPECT_TRUE(dialog.LoggedIn());
}

TEST(PermissionsTest, StringsReadPositionByPositionWithMissingPositionsClear) {
    using Permissions::FromString;
    EXPECT_EQ(Permissions::ToString(FromString("11")), QStringLiteral("110000000"));
    EXPECT_EQ(Permissions::ToString(FromString("")), QStringLiteral("000000000"));
    EXPECT_EQ(Permissions::ToString(FromString("1x1 11111111")), QStringLiteral("101011111"));
    EXPECT_EQ(Permissions::ToString(FromString("0000000011")), QStringLiteral("000000001"));
}

TEST(PermissionsTest, TheAdministratorFlagOverridesAndNoRowGrantsNothing) {
    TempStore store;
    Query query(store.session().connectionName);
    const auto all = Permissions::FromString("111111111");
    const auto none = Permissions::FromString("");
    store.setPermission(1, "000000000");
    EXPECT_EQ(Permissions::ForAccount(query, 1), all);
    const int ordinary = store.addUser("u", "用户");
    EXPECT_EQ(Permissions::ForAccount(query, ordinary), none);
    store.setPermission(ordinary, "11");
    EXPECT_EQ(Permissions::ToString(Permissions::ForAccount(query, ordinary)),
              QStringLiteral("110000000"));
    // Two rows for one account: the first the store returns decides.
    store.setPermission(ordinary, "111111111");
    EXPECT_EQ(Permissions::ToString(Permissions::ForAccount(query, ordinary)),
              QStringLiteral("110000000"));
    EXPECT_EQ(Permissions::ForAccount(query, 999), none);
}

} // namespace
