// The login dialog and the permission string, on a temporary store.
#include "platform/AppLifetime.h"
#include "platform/SettingsFile.h"
#include "store/Accounts.h"
#include "store/NewStore.h"
#include "store/Passwords.h"
#include "store/Query.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/LoginDialog.h"
#include "users/Permissions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace {

class RecordingHost final : public LoginHost {
public:
    void showGreeting(const QString& userName) override { greeted << userName; }
    void applyPermissions(int userKey) override { applied << userKey; }
    QStringList greeted;
    QList<int> applied;
};

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppLifetime::installQuitHook([this] { ++quitRequests; });
    }
    void TearDown() override { AppLifetime::installQuitHook({}); }

    void login(LoginDialog& dialog, const QString& name, const QString& password) {
        control<QLineEdit>(&dialog, "loginNameEdit")->setText(name);
        control<QLineEdit>(&dialog, "passwordEdit")->setText(password);
        control<QPushButton>(&dialog, "loginButton")->click();
    }

    TempStore store;
    ScriptedBoxes boxes;
    RecordingHost host;
    int quitRequests = 0;
};

TEST_F(LoginTest, AnAccountLogsInWhateverTheLetterCaseAndIsRememberedForTheNextStart) {
    const int key = store.addUser("li", "李四", "Secret");
    {
        LoginDialog dialog(store.session(), host);
        dialog.show();
        EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), QString())
            << "no settings file: nothing offered";
        login(dialog, QStringLiteral("  LI "), QStringLiteral(" secret "));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(store.session().currentUserKey, key);
    EXPECT_EQ(store.session().currentUserName, QStringLiteral("李四"));
    EXPECT_EQ(host.greeted, QStringList{QStringLiteral("李四")});
    EXPECT_EQ(host.applied, QList<int>{key});
    EXPECT_EQ(SettingsFile::read("Login", "Name", ""), QStringLiteral("LI"));

    LoginDialog next(store.session(), host);
    next.show();
    EXPECT_EQ(control<QLineEdit>(&next, "loginNameEdit")->text(), QStringLiteral("LI"));
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(LoginTest, TheInitialAdministratorPasswordOpensOnlyTheChoiceOfANewOne) {
    // Declined: nobody is logged in and the program ends.
    {
        ScriptedModal declined([](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), QStringLiteral("passwordDialog"));
            return int(QDialog::Rejected);
        });
        LoginDialog dialog(store.session(), host);
        login(dialog, QStringLiteral("admin"), NewStore::kAdminDefaultPassword);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(store.session().currentUserKey, 0);
    EXPECT_TRUE(host.applied.isEmpty());

    // A new password saved: the login goes on, and the next one needs the new password.
    {
        ScriptedModal changed([](QDialog& dialog) {
            control<QLineEdit>(&dialog, "oldPasswordEdit")->setText(NewStore::kAdminDefaultPassword);
            control<QLineEdit>(&dialog, "newPasswordEdit")->setText(QStringLiteral("Neu-2026"));
            control<QPushButton>(&dialog, "changeButton")->click();
            return int(QDialog::Rejected);
        });
        LoginDialog dialog(store.session(), host);
        login(dialog, QStringLiteral("admin"), NewStore::kAdminDefaultPassword);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(store.session().currentUserKey, 1);
    EXPECT_EQ(host.applied, QList<int>{1});
    EXPECT_TRUE(boxes.texts().contains(QStringLiteral("这是初始密码，请先修改密码！")));
    LoginDialog again(store.session(), host);
    login(again, QStringLiteral("admin"), NewStore::kAdminDefaultPassword);
    EXPECT_NE(again.result(), QDialog::Accepted);
    login(again, QStringLiteral("admin"), QStringLiteral("NEU-2026"));
    EXPECT_EQ(again.result(), QDialog::Accepted);
}

TEST_F(LoginTest, AWrongPasswordKeepsBothEditsAndFocusesTheLoginName) {
    store.addUser("li", "李四", "Secret");
    LoginDialog dialog(store.session(), host);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    control<QLineEdit>(&dialog, "passwordEdit")->setFocus();
    login(dialog, QStringLiteral("li"), QStringLiteral("wrong"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("用户名或者密码错误！"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), QStringLiteral("li"));
    EXPECT_EQ(control<QLineEdit>(&dialog, "passwordEdit")->text(), QStringLiteral("wrong"));
    EXPECT_TRUE(control<QLineEdit>(&dialog, "loginNameEdit")->hasFocus());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(store.session().currentUserKey, 0);
    EXPECT_TRUE(host.applied.isEmpty());
    EXPECT_FALSE(QFile::exists(SettingsFile::filePath()));
    // Any number of tries.
    login(dialog, QStringLiteral("li"), QStringLiteral("Secret"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LoginTest, ThePasswordIsComparedWithoutRegardToLetterCaseAndNeverKeptPlain) {
    // A store of the previous version holds the password itself.
    const int key = store.addUser("li", "李四", "Secret");
    LoginDialog dialog(store.session(), host);
    login(dialog, QStringLiteral("li"), QStringLiteral("sECRET"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(store.session().currentUserKey, key);
    // The first login replaced it by its verifier, which the next login checks.
    const QString stored =
        store.scalar("SELECT UserPwd FROM tbl_user WHERE KeyID = ?", {key}).toString();
    EXPECT_TRUE(Passwords::isVerifier(stored)) << stored.toStdString();
    EXPECT_FALSE(stored.contains(QStringLiteral("ecret")));
    // Full-width digits typed through an input method are the digits.
    store.execute("UPDATE tbl_user SET UserPwd = ? WHERE KeyID = ?",
                  {Accounts::storedPassword(QStringLiteral("２０２６Pw")), key});
    LoginDialog next(store.session(), host);
    login(next, QStringLiteral("li"), QStringLiteral("2026pW"));
    EXPECT_EQ(next.result(), QDialog::Accepted);
}

TEST_F(LoginTest, RestoringTheMinimisedDialogKeepsTheTypedNameAndOnlyANewShowOffersTheRemembered) {
    SettingsFile::write("Login", "Name", "admin");
    LoginDialog dialog(store.session(), host);
    dialog.show();
    EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), QStringLiteral("admin"));
    control<QLineEdit>(&dialog, "loginNameEdit")->setText(QStringLiteral("zhang"));
    // The window system shows the window again when it comes back from the task bar.
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    QApplication::instance()->notify(&dialog, &restored);
    EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), QStringLiteral("zhang"));
    // Hidden (into the tray) and shown again by the program: the dialog is opened afresh.
    dialog.hide();
    dialog.show();
    EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->text(), QStringLiteral("admin"));
}

TEST_F(LoginTest, EnterMovesToThePasswordThenLogsIn) {
    store.addUser("li", "李四", "Secret");
    LoginDialog dialog(store.session(), host);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    control<QLineEdit>(&dialog, "loginNameEdit")->setFocus();
    QTest::keyClicks(control<QLineEdit>(&dialog, "loginNameEdit"), QStringLiteral("li"));
    QTest::keyClick(control<QLineEdit>(&dialog, "loginNameEdit"), Qt::Key_Return);
    EXPECT_TRUE(control<QLineEdit>(&dialog, "passwordEdit")->hasFocus());
    QTest::keyClicks(control<QLineEdit>(&dialog, "passwordEdit"), QStringLiteral("Secret"));
    QTest::keyClick(control<QLineEdit>(&dialog, "passwordEdit"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(control<QLineEdit>(&dialog, "passwordEdit")->echoMode(), QLineEdit::Password);
    // The login takes every name account creation allows, and every password.
    EXPECT_EQ(control<QLineEdit>(&dialog, "loginNameEdit")->maxLength(), 20);
    EXPECT_EQ(control<QLineEdit>(&dialog, "passwordEdit")->maxLength(), 64);
}

TEST_F(LoginTest, ExitOrClosingTheDialogEndsTheProgramWithoutWritingAnything) {
    {
        LoginDialog dialog(store.session(), host);
        dialog.show();
        control<QPushButton>(&dialog, "exitButton")->click();
        EXPECT_EQ(quitRequests, 1);
    }
    {
        LoginDialog dialog(store.session(), host);
        dialog.show();
        dialog.close();
        EXPECT_EQ(quitRequests, 2);
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(QFile::exists(SettingsFile::filePath()));
    EXPECT_EQ(store.session().currentUserKey, 0);
}

TEST_F(LoginTest, TheHintNamesTheAdministratorsFirstPassword) {
    LoginDialog dialog(store.session(), host);
    EXPECT_EQ(control<QLabel>(&dialog, "hintLabel")->text(),
              QStringLiteral("默认用户名/密码：admin / ") + NewStore::kAdminDefaultPassword);
    EXPECT_FALSE(control<QLabel>(&dialog, "hintLabel")->isEnabled());
    EXPECT_FALSE(control<QLabel>(&dialog, "hintLabel")->isHidden());
    ScriptedModal passwordDialog([](QDialog& shown) { return int(shown.result()); });
    login(dialog, QStringLiteral("admin"), control<QLabel>(&dialog, "hintLabel")->text().right(1));
    EXPECT_TRUE(boxes.texts().contains(QStringLiteral("这是初始密码，请先修改密码！")))
        << "the hint's password is the administrator's";
}

TEST(PermissionsTest, StringsReadPositionByPositionWithMissingPositionsClear) {
    using Permissions::fromString;
    EXPECT_EQ(Permissions::toString(fromString("11")), QStringLiteral("110000000"));
    EXPECT_EQ(Permissions::toString(fromString("")), QStringLiteral("000000000"));
    EXPECT_EQ(Permissions::toString(fromString("1x1 11111111")), QStringLiteral("101011111"));
    EXPECT_EQ(Permissions::toString(fromString("0000000011")), QStringLiteral("000000001"));
}

TEST(PermissionsTest, TheAdministratorFlagOverridesAndNoRowGrantsNothing) {
    TempStore store;
    Query query(store.session().connectionName);
    const auto all = Permissions::fromString("111111111");
    const auto none = Permissions::fromString("");
    store.setPermission(1, "000000000");
    EXPECT_EQ(Permissions::forAccount(query, 1), all);
    const int ordinary = store.addUser("u", "用户");
    EXPECT_EQ(Permissions::forAccount(query, ordinary), none);
    store.setPermission(ordinary, "11");
    EXPECT_EQ(Permissions::toString(Permissions::forAccount(query, ordinary)),
              QStringLiteral("110000000"));
    // Two rows for one account: the first the store returns decides.
    store.setPermission(ordinary, "111111111");
    EXPECT_EQ(Permissions::toString(Permissions::forAccount(query, ordinary)),
              QStringLiteral("110000000"));
    EXPECT_EQ(Permissions::forAccount(query, 999), none);
}

} // namespace
