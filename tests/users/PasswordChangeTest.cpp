// The password change dialog on a temporary store.
#include "store/Passwords.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/PasswordDialog.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PasswordChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        other = store.addUser("wang", "王五", "Secret");
        me = store.addUser("li", "李四", "Secret");
        store.session().currentUserKey = me;
        dialog = std::make_unique<PasswordDialog>(store.session());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        control<QLineEdit>(dialog.get(), "oldPasswordEdit")->setFocus();
    }
    QString passwordOf(int key) const {
        return store.scalar("SELECT UserPwd FROM tbl_user WHERE KeyID = ?", {key}).toString();
    }

    TempStore store;
    ScriptedBoxes boxes;
    int other = 0;
    int me = 0;
    std::unique_ptr<PasswordDialog> dialog;
};

TEST_F(PasswordChangeTest, ChangeIsEnabledExactlyWhileTheOldPasswordIsTypedInAnyLetterCase) {
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isDefault());
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "oldPasswordEdit")->echoMode(), QLineEdit::Password);
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "secret");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled())
        << "the letter case of a password never counts, as at the login";
    control<QLineEdit>(dialog.get(), "oldPasswordEdit")->clear();
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "Secre");
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "t");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "x");
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());

    // Read anew at each keystroke: another copy's change counts at once.
    store.execute("UPDATE tbl_user SET UserPwd = 'Secretx' WHERE KeyID = ?", {me});
    QTest::keyClick(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), Qt::Key_Backspace);
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "x");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PasswordChangeTest, BlanksAroundBothPasswordsAreIgnoredAndTheDialogStaysOpenEmptied) {
    control<QLineEdit>(dialog.get(), "oldPasswordEdit")->setText("  Secret\t ");
    const QString longPassword = " " + QString(40, QLatin1Char('k')) + "  ";
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "newPasswordEdit"), longPassword);
    QTest::keyClick(control<QLineEdit>(dialog.get(), "newPasswordEdit"), Qt::Key_Return);

    // Kept as its verifier, never as it was typed; blanks around it do not count.
    EXPECT_TRUE(Passwords::isVerifier(passwordOf(me)));
    EXPECT_TRUE(Passwords::matches(longPassword.trimmed().toUpper(), passwordOf(me)));
    EXPECT_EQ(passwordOf(other), "Secret");
    EXPECT_EQ(boxes.texts(), QStringList{"密码修改成功，下次登录后生效！"});
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "oldPasswordEdit")->text() +
                  control<QLineEdit>(dialog.get(), "newPasswordEdit")->text(),
              "");
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PasswordChangeTest, AnEmptyNewPasswordLeavesChangeEnabledForTheEmptiedOldPassword) {
    control<QLineEdit>(dialog.get(), "oldPasswordEdit")->setText("Secret");
    control<QLineEdit>(dialog.get(), "newPasswordEdit")->setText("   ");
    QTest::mouseClick(control<QPushButton>(dialog.get(), "changeButton"), Qt::LeftButton);
    EXPECT_TRUE(Passwords::matches("", passwordOf(me)));
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "oldPasswordEdit")->text(), "");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());

    // Once the account is gone, an empty edit no longer unlocks a change that writes nothing.
    store.execute("DELETE FROM tbl_user WHERE KeyID = ?", {me});
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), "x");
    QTest::keyClick(control<QLineEdit>(dialog.get(), "oldPasswordEdit"), Qt::Key_Backspace);
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
}

TEST_F(PasswordChangeTest, ARefusedUpdateIsReportedWithTheEnginesReasonAndChangesNothing) {
    store.execute(
        "CREATE TRIGGER no_update BEFORE UPDATE ON tbl_user BEGIN SELECT RAISE(ABORT, 'x'); END");
    control<QLineEdit>(dialog.get(), "oldPasswordEdit")->setText("Secret");
    control<QLineEdit>(dialog.get(), "newPasswordEdit")->setText("new");
    control<QPushButton>(dialog.get(), "changeButton")->click();
    ASSERT_EQ(boxes.texts(), QStringList{"密码未修改！\nx"});
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(passwordOf(me), "Secret");
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "oldPasswordEdit")->text() +
                  control<QLineEdit>(dialog.get(), "newPasswordEdit")->text(),
              "Secretnew");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "changeButton")->isEnabled());
}

} // namespace
