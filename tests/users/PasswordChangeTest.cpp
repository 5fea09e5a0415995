// The password change dialog on a temporary store.
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/TFrmModifyPwd.h"

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
        dialog = std::make_unique<TFrmModifyPwd>(store.session());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        dialog->Edit1->setFocus();
    }
    QString passwordOf(int key) const {
        return store.scalar("SELECT UserPwd FROM tbl_user WHERE KeyID = ?", {key}).toString();
    }

    TempStore store;
    ScriptedBoxes boxes;
    int other = 0;
    int me = 0;
    std::unique_ptr<TFrmModifyPwd> dialog;
};

TEST_F(PasswordChangeTest, ChangeIsEnabledExactlyWhileTheStoredOldPasswordIsTypedInItsLetterCase) {
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());
    EXPECT_TRUE(dialog->BitBtn1->isDefault());
    EXPECT_EQ(dialog->Edit1->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dialog->Edit1, "secret");
    EXPECT_FALSE(dialog->BitBtn1->isEnabled()) << "the other letter case is not the password";
    dialog->Edit1->clear();
    QTest::keyClicks(dialog->Edit1, "Secre");
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());
    QTest::keyClicks(dialog->Edit1, "t");
    EXPECT_TRUE(dialog->BitBtn1->isEnabled());
    QTest::keyClicks(dialog->Edit1, "x");
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());

    // Read anew at each keystroke: another copy's change counts at once.
    store.execute("UPDATE tbl_user SET UserPwd = 'Secretx' WHERE KeyID = ?", {me});
    QTest::keyClick(dialog->Edit1, Qt::Key_Backspace);
    QTest::keyClicks(dialog->Edit1, "x");
    EXPECT_TRUE(dialog->BitBtn1->isEnabled());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PasswordChangeTest, BlanksAroundBothPasswordsAreIgnoredAndTheDialogStaysOpenEmptied) {
    dialog->Edit1->setText("  Secret\t ");
    const QString longPassword = " " + QString(40, QLatin1Char('k')) + "  ";
    QTest::keyClicks(dialog->Edit2, longPassword);
    QTest::keyClick(dialog->Edit2, Qt::Key_Return);

    EXPECT_EQ(passwordOf(me), longPassword.trimmed());
    EXPECT_EQ(passwordOf(other), "Secret");
    EXPECT_EQ(boxes.texts(), QStringList{"密码修改成功，下次登录后生效！"});
    EXPECT_EQ(dialog->Edit1->text() + dialog->Edit2->text(), "");
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PasswordChangeTest, AnEmptyNewPasswordLeavesChangeEnabledForTheEmptiedOldPassword) {
    dialog->Edit1->setText("Secret");
    dialog->Edit2->setText("   ");
    QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(passwordOf(me), "");
    EXPECT_EQ(dialog->Edit1->text(), "");
    EXPECT_TRUE(dialog->BitBtn1->isEnabled());

    // Once the account is gone, an empty edit no longer unlocks a change that writes nothing.
    store.execute("DELETE FROM tbl_user WHERE KeyID = ?", {me});
    QTest::keyClicks(dialog->Edit1, "x");
    QTest::keyClick(dialog->Edit1, Qt::Key_Backspace);
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());
}

TEST_F(PasswordChangeTest, ARefusedUpdateIsReportedWithTheEnginesReasonAndChangesNothing) {
    store.execute(
        "CREATE TRIGGER no_update BEFORE UPDATE ON tbl_user BEGIN SELECT RAISE(ABORT, 'x'); END");
    dialog->Edit1->setText("Secret");
    dialog->Edit2->setText("new");
    dialog->BitBtn1Click();
    ASSERT_EQ(boxes.texts(), QStringList{"密码未修改！\nx"});
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(passwordOf(me), "Secret");
    EXPECT_EQ(dialog->Edit1->text() + dialog->Edit2->text(), "Secretnew");
    EXPECT_TRUE(dialog->BitBtn1->isEnabled());
}

} // namespace
