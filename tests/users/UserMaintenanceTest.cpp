// The user maintenance dialog on a temporary store: adding, showing and deleting accounts.
#include "platform/AppLifetime.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/UserAccountsDialog.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class UserMaintenanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppLifetime::installQuitHook([this] { ++quitRequests; });
        store.session().currentUserKey = 1;
        dialog = std::make_unique<UserAccountsDialog>(store.session());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    void TearDown() override { AppLifetime::installQuitHook({}); }

    void add(const QString& logName, const QString& trueName, const QString& password = "pw",
             const QString& remark = "", bool admin = false) {
        dialog->startAdding();
        dialog->loginNameEdit->setText(logName);
        dialog->trueNameEdit->setText(trueName);
        dialog->passwordEdit->setText(password);
        dialog->remarksEdit->setText(remark);
        dialog->adminCheckBox->setChecked(admin);
        dialog->saveAccount();
    }
    // Which of 添加, 撤销, 删除, 保存 are enabled.
    QString buttons() const {
        QString states;
        for (QPushButton* b :
             {dialog->addButton, dialog->undoButton, dialog->deleteButton, dialog->saveButton})
            states += b->isEnabled() ? '1' : '0';
        return states;
    }
    QStringList column(int c) const {
        QStringList texts;
        for (int row = 0; row < dialog->accountList->count(); ++row)
            texts << dialog->accountList->text(row, c);
        return texts;
    }

    TempStore store;
    ScriptedBoxes boxes;
    std::unique_ptr<UserAccountsDialog> dialog;
    int quitRequests = 0;
};

TEST_F(UserMaintenanceTest, SavesTheAccountTrimmedListsItNumberedAndRefusesItsNameInCapitals) {
    EXPECT_EQ(buttons(), "1000");
    EXPECT_TRUE(dialog->loginNameEdit->isReadOnly());
    dialog->startAdding();
    EXPECT_EQ(buttons(), "0101");
    EXPECT_FALSE(dialog->loginNameEdit->isReadOnly());
    QTest::keyClicks(dialog->passwordEdit, "123456789");
    EXPECT_EQ(dialog->passwordEdit->text(), "12345678") << "no ninth character can be typed";

    add("  zhang\t", " 张三 ", " 123 ", "  销售部 ");
    EXPECT_EQ(boxes.texts(), QStringList{"添加数据成功！"});
    const auto rows = store.rows("SELECT UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin "
                                 "FROM tbl_user WHERE KeyID = 2");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toString() + rows[0][1].toString() + rows[0][2].toString() +
                  rows[0][3].toString() + rows[0][4].toString(),
              "zhang张三123销售部0");
    EXPECT_EQ(buttons(), "1000");
    EXPECT_TRUE(dialog->loginNameEdit->isReadOnly());
    EXPECT_EQ(dialog->loginNameEdit->text() + dialog->trueNameEdit->text() +
                  dialog->remarksEdit->text(),
              "");
    EXPECT_EQ(column(0), (QStringList{"1", "2"}));
    EXPECT_EQ(column(1), (QStringList{"admin", "zhang"}));
    EXPECT_EQ(column(UserAccountsDialog::kKeyColumn), (QStringList{"1", "2"}));
    EXPECT_TRUE(dialog->accountList->isColumnHidden(UserAccountsDialog::kKeyColumn));
    EXPECT_FALSE(column(3).contains("123")) << "the password never shows in the list";

    boxes.clear();
    add("ZHANG", "另一个张三");
    EXPECT_EQ(boxes.texts(), QStringList{"此登录账号已经存在，请重新输入！"});
    EXPECT_EQ(store.count("tbl_user"), 2);
    EXPECT_EQ(dialog->loginNameEdit->text(), "ZHANG") << "a refused account keeps what was typed";
    EXPECT_TRUE(dialog->loginNameEdit->hasFocus());
    EXPECT_EQ(buttons(), "0101");
}

TEST_F(UserMaintenanceTest, EmptyNamesAreRefusedAndNothingIsWritten) {
    add(" ", "张三");
    EXPECT_EQ(boxes.texts(), QStringList{"请输入登录账号！"});
    EXPECT_TRUE(dialog->loginNameEdit->hasFocus());
    boxes.clear();
    add("zhang", "  \t ");
    EXPECT_EQ(boxes.texts(), QStringList{"请输入真实姓名！"}) << "a name of blanks is empty";
    EXPECT_TRUE(dialog->trueNameEdit->hasFocus());
    EXPECT_EQ(store.count("tbl_user"), 1);
}

TEST_F(UserMaintenanceTest, SelectingARowShowsTheStoredPasswordAndFlagAndEnablesOnlyDelete) {
    add("boss", "老板", "Top8", "管理", true);
    EXPECT_TRUE(dialog->adminCheckBox->isChecked()) << "the flag keeps its state after a save";
    store.addUser("li", "李四", "li-pw");
    store.execute("UPDATE tbl_user SET UserPwd = 'changed' WHERE UserLogName = 'boss'");
    dialog->onShown();

    dialog->accountList->selectRow(1);
    EXPECT_EQ(dialog->loginNameEdit->text() + dialog->trueNameEdit->text() +
                  dialog->remarksEdit->text(),
              "boss老板管理");
    EXPECT_EQ(dialog->passwordEdit->text(), "changed") << "read from the store, not the list";
    EXPECT_TRUE(dialog->adminCheckBox->isChecked());
    EXPECT_EQ(buttons(), "0010");
    dialog->accountList->selectRow(2);
    EXPECT_EQ(dialog->passwordEdit->text(), "li-pw");
    EXPECT_FALSE(dialog->adminCheckBox->isChecked());
    dialog->accountList->selectRow(-1);
    EXPECT_EQ(buttons(), "1000");
}

TEST_F(UserMaintenanceTest, DeletingOnesOwnAccountKeepsTheRunItsRemindersAndItsPermissionRow) {
    const int other = store.addUser("li", "李四");
    store.addReminder({.recipient = 1, .publisher = other});
    store.addReminder({.recipient = other, .publisher = 1});
    store.setPermission(1, "111111111");
    dialog->onShown();

    dialog->accountList->selectRow(0);
    boxes.answerNext(false);
    dialog->deleteAccount();
    EXPECT_EQ(store.count("tbl_user"), 2) << "No keeps the account";

    dialog->deleteAccount();
    EXPECT_EQ(boxes.texts(),
              (QStringList{"确定要删除此用户吗？", "确定要删除此用户吗？", "删除用户成功！"}));
    EXPECT_EQ(boxes.all()[0].icon, MessageBoxes::Icon::Question);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_user WHERE KeyID = 1").toInt(), 0);
    EXPECT_EQ(store.count("tbl_reminder"), 2);
    EXPECT_EQ(store.scalar("SELECT UserPopdem FROM tbl_popdem WHERE UserId = 1").toString(),
              "111111111");
    EXPECT_EQ(column(0), QStringList{"1"}) << "renumbered";
    EXPECT_EQ(column(1), QStringList{"li"});
    EXPECT_EQ(buttons(), "1000");
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(store.session().currentUserKey, 1);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(UserMaintenanceTest, RefusedWritesAreReportedWithTheEnginesReasonAndChangeNothing) {
    store.execute(
        "CREATE TRIGGER no_insert BEFORE INSERT ON tbl_user BEGIN SELECT RAISE(ABORT, 'x'); END");
    store.execute(
        "CREATE TRIGGER no_delete BEFORE DELETE ON tbl_user BEGIN SELECT RAISE(ABORT, 'y'); END");
    add("zhang", "张三");
    ASSERT_EQ(boxes.texts(), QStringList{"人员信息未保存！\nx"});
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(dialog->loginNameEdit->text(), "zhang");
    EXPECT_EQ(buttons(), "0101");
    boxes.clear();

    dialog->cancelAdding();
    EXPECT_EQ(buttons(), "1000");
    EXPECT_EQ(dialog->loginNameEdit->text(), "zhang") << "cancel keeps the texts";
    dialog->accountList->selectRow(0);
    dialog->deleteAccount();
    EXPECT_EQ(boxes.texts(), (QStringList{"确定要删除此用户吗？", "用户未删除！\ny"}));
    EXPECT_EQ(dialog->accountList->selectedRow(), 0) << "the list is not reloaded";
    EXPECT_EQ(store.count("tbl_user"), 1);
}

} // namespace
