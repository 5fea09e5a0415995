// The user maintenance dialog on a temporary store: adding, showing and deleting accounts.
#include "platform/AppLifetime.h"
#include "store/Passwords.h"
#include "support/Controls.h"
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
        control<QPushButton>(dialog.get(), "addButton")->click();
        control<QLineEdit>(dialog.get(), "loginNameEdit")->setText(logName);
        control<QLineEdit>(dialog.get(), "trueNameEdit")->setText(trueName);
        control<QLineEdit>(dialog.get(), "passwordEdit")->setText(password);
        control<QLineEdit>(dialog.get(), "remarksEdit")->setText(remark);
        control<QCheckBox>(dialog.get(), "adminCheckBox")->setChecked(admin);
        control<QPushButton>(dialog.get(), "saveButton")->click();
    }
    ReportList* list() const { return control<ReportList>(dialog.get(), "accountList"); }
    // Which of 添加, 撤销, 删除, 保存 are enabled.
    QString buttons() const {
        QString states;
        for (QPushButton* b : {control<QPushButton>(dialog.get(), "addButton"),
                               control<QPushButton>(dialog.get(), "undoButton"),
                               control<QPushButton>(dialog.get(), "deleteButton"),
                               control<QPushButton>(dialog.get(), "saveButton")})
            states += b->isEnabled() ? '1' : '0';
        return states;
    }
    using Column = ReportList::Column;
    QStringList column(Column c) const {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->text(row, c);
        return texts;
    }

    TempStore store;
    ScriptedBoxes boxes;
    std::unique_ptr<UserAccountsDialog> dialog;
    int quitRequests = 0;
};

TEST_F(UserMaintenanceTest, SavesTheAccountTrimmedListsItNumberedAndRefusesItsNameInCapitals) {
    EXPECT_EQ(buttons(), "1000");
    EXPECT_TRUE(control<QLineEdit>(dialog.get(), "loginNameEdit")->isReadOnly());
    control<QPushButton>(dialog.get(), "addButton")->click();
    EXPECT_EQ(buttons(), "0101");
    EXPECT_FALSE(control<QLineEdit>(dialog.get(), "loginNameEdit")->isReadOnly());
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "passwordEdit")->maxLength(), 64)
        << "as long as the login and the password change take";

    add("  zhang\t", " 张三 ", " 123 ", "  销售部 ");
    EXPECT_EQ(boxes.texts(), QStringList{"添加数据成功！"});
    const auto rows = store.rows("SELECT UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin "
                                 "FROM tbl_user WHERE KeyID = 2");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toString() + rows[0][1].toString() + rows[0][3].toString() +
                  rows[0][4].toString(),
              "zhang张三销售部0");
    // The password itself is never stored: its verifier is.
    EXPECT_TRUE(Passwords::isVerifier(rows[0][2].toString()));
    EXPECT_TRUE(Passwords::matches("123", rows[0][2].toString()));
    EXPECT_EQ(buttons(), "1000");
    EXPECT_TRUE(control<QLineEdit>(dialog.get(), "loginNameEdit")->isReadOnly());
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "loginNameEdit")->text() +
                  control<QLineEdit>(dialog.get(), "trueNameEdit")->text() +
                  control<QLineEdit>(dialog.get(), "remarksEdit")->text(),
              "");
    EXPECT_EQ(column(Column::Number), (QStringList{"1", "2"}));
    EXPECT_EQ(column(Column::LoginName), (QStringList{"admin", "zhang"}));
    EXPECT_EQ(column(Column::Key), (QStringList{"1", "2"}));
    const QAbstractItemModel* model = list()->model();
    for (int c = 0; c < model->columnCount(); ++c)
        EXPECT_EQ(list()->isColumnHidden(c),
                  model->headerData(c, Qt::Horizontal).toString() == "Keyid")
            << "only the key column is hidden";
    EXPECT_FALSE(column(Column::Remarks).contains("123")) << "the password never shows in the list";

    boxes.clear();
    add("ZHANG", "另一个张三");
    EXPECT_EQ(boxes.texts(), QStringList{"此登录账号已经存在，请重新输入！"});
    EXPECT_EQ(store.count("tbl_user"), 2);
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "loginNameEdit")->text(), "ZHANG")
        << "a refused account keeps what was typed";
    EXPECT_TRUE(control<QLineEdit>(dialog.get(), "loginNameEdit")->hasFocus());
    EXPECT_EQ(buttons(), "0101");
}

TEST_F(UserMaintenanceTest, EmptyNamesAreRefusedAndNothingIsWritten) {
    add(" ", "张三");
    EXPECT_EQ(boxes.texts(), QStringList{"请输入登录账号！"});
    EXPECT_TRUE(control<QLineEdit>(dialog.get(), "loginNameEdit")->hasFocus());
    boxes.clear();
    add("zhang", "  \t ");
    EXPECT_EQ(boxes.texts(), QStringList{"请输入真实姓名！"}) << "a name of blanks is empty";
    EXPECT_TRUE(control<QLineEdit>(dialog.get(), "trueNameEdit")->hasFocus());
    EXPECT_EQ(store.count("tbl_user"), 1);
}

TEST_F(UserMaintenanceTest, SelectingARowShowsTheAccountAndFlagButNoPasswordAndEnablesOnlyDelete) {
    add("boss", "老板", "Top8", "管理", true);
    EXPECT_TRUE(control<QCheckBox>(dialog.get(), "adminCheckBox")->isChecked())
        << "the flag keeps its state after a save";
    store.addUser("li", "李四", "li-pw");
    store.execute("UPDATE tbl_user SET UserPwd = 'changed' WHERE UserLogName = 'boss'");
    dialog->hide();
    dialog->show();

    list()->selectRow(1);
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "loginNameEdit")->text() +
                  control<QLineEdit>(dialog.get(), "trueNameEdit")->text() +
                  control<QLineEdit>(dialog.get(), "remarksEdit")->text(),
              "boss老板管理");
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "passwordEdit")->text(), "")
        << "nobody's password is shown";
    EXPECT_TRUE(control<QCheckBox>(dialog.get(), "adminCheckBox")->isChecked());
    EXPECT_EQ(buttons(), "0010");
    list()->selectRow(2);
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "passwordEdit")->text(), "");
    EXPECT_FALSE(control<QCheckBox>(dialog.get(), "adminCheckBox")->isChecked());
    list()->selectRow(-1);
    EXPECT_EQ(buttons(), "1000");
}

TEST_F(UserMaintenanceTest, DeletingOnesOwnAccountKeepsTheRunItsRemindersAndItsPermissionRow) {
    const int other = store.addUser("li", "李四");
    store.addReminder({.recipient = 1, .publisher = other});
    store.addReminder({.recipient = other, .publisher = 1});
    store.setPermission(1, "111111111");
    dialog->hide();
    dialog->show();

    list()->selectRow(0);
    boxes.answerNext(false);
    control<QPushButton>(dialog.get(), "deleteButton")->click();
    EXPECT_EQ(store.count("tbl_user"), 2) << "No keeps the account";

    control<QPushButton>(dialog.get(), "deleteButton")->click();
    EXPECT_EQ(boxes.texts(),
              (QStringList{"确定要删除此用户吗？", "确定要删除此用户吗？", "删除用户成功！"}));
    EXPECT_EQ(boxes.all()[0].icon, MessageBoxes::Icon::Question);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_user WHERE KeyID = 1").toInt(), 0);
    EXPECT_EQ(store.count("tbl_reminder"), 2);
    EXPECT_EQ(store.scalar("SELECT UserPopdem FROM tbl_popdem WHERE UserId = 1").toString(),
              "111111111");
    EXPECT_EQ(column(Column::Number), QStringList{"1"}) << "renumbered";
    EXPECT_EQ(column(Column::LoginName), QStringList{"li"});
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
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "loginNameEdit")->text(), "zhang");
    EXPECT_EQ(buttons(), "0101");
    boxes.clear();

    control<QPushButton>(dialog.get(), "undoButton")->click();
    EXPECT_EQ(buttons(), "1000");
    EXPECT_EQ(control<QLineEdit>(dialog.get(), "loginNameEdit")->text(), "zhang")
        << "cancel keeps the texts";
    list()->selectRow(0);
    control<QPushButton>(dialog.get(), "deleteButton")->click();
    EXPECT_EQ(boxes.texts(), (QStringList{"确定要删除此用户吗？", "用户未删除！\ny"}));
    EXPECT_EQ(list()->selectedRow(), 0) << "the list is not reloaded";
    EXPECT_EQ(store.count("tbl_user"), 1);
}

} // namespace
