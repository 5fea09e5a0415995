// The password change dialog on a temporary store.
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
        dialog->oldPasswordEdit->setFocus();
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

TEST_F(PasswordChangeTest, ChangeIsEnabledExactlyWhileTheStoredOldPasswordIsTypedInItsLetterCase) {
    EXPECT_FALSE(dialog->changeButton->isEnabled());
    EXPECT_TRUE(dialog->changeButton->isDefault());
    EXPECT_EQ(dialog->oldPasswordEdit->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dialog->oldPasswordEdit, "secret");
    EXPECT_FALSE(dialog->changeButton->isEnabled()) << "the other letter case is not the password";
    dialog->oldPasswordEdit->clear();
    QTest::keyClicks(dialog->oldPasswordEdit, "Secre");
    EXPECT_FALSE(dialog->changeButton->isEnabled());
    QTest::keyClicks(dialog->oldPasswordEdit, "t");
    EXPECT_TRUE(dialog->changeButton->isEnabled());
    QTest::keyClicks(dialog->oldPasswordEdit, "x");
    EXPECT_FALSE(dialog->changeButton->isEnabled());

    // Read anew at each keystroke: another copy's change counts at once.
    store.execute("UPDATE tbl_user SET UserPwd = 'Secretx' WHERE KeyID = ?", {me});
    QTest::keyClick(dialog->oldPasswordEdit, Qt::Key_Backspace);
    QTest::keyClicks(dialog->oldPasswordEdit, "x");
    EXPECT_TRUE(dialog->changeButton->isEnabled());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PasswordChangeTest, BlanksAroundBothPasswordsAreIgnoredAndTheDialogStaysOpenEmptied) {
    dialog->oldPasswordEdit->setText("  Secret\t ");
    const QString longPassword = " " + QString(40, QLatin1Char('k')) + "  ";
    QTest::keyClicks(dialog->newPasswordEdit, longPassword);
    QTest::keyClick(dialog->newPasswordEdit, Qt::Key_Return);

    EXPECT_EQ(passwordOf(me), longPassword.trimmed());
    EXPECT_EQ(passwordOf(other), "Secret");
    EXPECT_EQ(boxes.texts(), QStringList{"密码修改成功，下次登录后生效！"});
    EXPECT_EQ(dialog->oldPasswordEdit->text() + dialog->newPasswordEdit->text(), "");
    EXPECT_FALSE(dialog->changeButton->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PasswordChangeTest, AnEmptyNewPasswordLeavesChangeEnabledForTheEmptiedOldPassword) {
    dialog->oldPasswordEdit->setText("Secret");
    dialog->newPasswordEdit->setText("   ");
    QTest::mouseClick(dialog->changeButton, Qt::LeftButton);
    EXPECT_EQ(passwordOf(me), "");
    EXPECT_EQ(dialog->oldPasswordEdit->text(), "");
    EXPECT_TRUE(dialog->changeButton->isEnabled());

    // Once the account is gone, an empty edit no longer unlocks a change that writes nothing.
    store.execute("DELETE FROM tbl_user WHERE KeyID = ?", {me});
    QTest::keyClicks(dialog->oldPasswordEdit, "x");
    QTest::keyClick(dialog->oldPasswordEdit, Qt::Key_Backspace);
    EXPECT_FALSE(dialog->changeButton->isEnabled());
}

TEST_F(PasswordChangeTest, ARefusedUpdateIsReportedWithTheEnginesReasonAndChangesNothing) {
    store.execute(
        "CREATE TRIGGER no_update BEFORE UPDATE ON tbl_user BEGIN SELECT RAISE(ABORT, 'x'); END");
    dialog->oldPasswordEdit->setText("Secret");
    dialog->newPasswordEdit->setText("new");
    dialog->changePassword();
    ASSERT_EQ(boxes.texts(), QStringList{"密码未修改！\nx"});
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(passwordOf(me), "Secret");
    EXPECT_EQ(dialog->oldPasswordEdit->text() + dialog->newPasswordEdit->text(), "Secretnew");
    EXPECT_TRUE(dialog->changeButton->isEnabled());
}

} // namespace
