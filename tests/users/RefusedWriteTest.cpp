// A store that refuses writes: the account, permission and password dialogs say what was not
// saved and why, keep what was entered, report no success, and write once the fault is gone.
#include "store/Passwords.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/StoreFault.h"
#include "support/TempStore.h"
#include "users/PasswordDialog.h"
#include "users/PermissionsDialog.h"
#include "users/UserAccountsDialog.h"

#include <gtest/gtest.h>

namespace {

struct Fault {
    const char* name;
    StoreFaultKind kind;
    // A full disk still takes a row that fits the pages the store has; only a write that needs
    // a page of its own (the long password) meets it.
    bool refusesShortWrites;
};

const Fault kFaults[] = {{"ReadOnlyFile", StoreFaultKind::ReadOnlyFile, true},
                         {"ReadOnlyFolder", StoreFaultKind::ReadOnlyFolder, true},
                         {"FullDisk", StoreFaultKind::FullDisk, false}};

class RefusedWriteTest : public ::testing::TestWithParam<Fault> {
protected:
    void SetUp() override {
        me = store.addUser("li", "李四", "Secret");
        other = store.addUser("wang", "王五");
        store.session().currentUserKey = me;
        users.show();
        rights.show();
    }
    // The one box of a refused write: the error box with the engine's reason.
    void expectRefused(const QString& heading, const QStringList& before = {}) {
        ASSERT_EQ(boxes.count(), before.size() + 1) << boxes.texts().join('|').toStdString();
        EXPECT_EQ(boxes.texts().mid(0, before.size()), before);
        EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
        EXPECT_TRUE(StoreFault::reports(boxes.last().text, heading, GetParam().kind))
            << boxes.last().text.toStdString();
        boxes.clear();
    }
    void addAccount() {
        control<QPushButton>(&users, "addButton")->click();
        control<QLineEdit>(&users, "loginNameEdit")->setText("zhang");
        control<QLineEdit>(&users, "trueNameEdit")->setText("张三");
        control<QPushButton>(&users, "saveButton")->click();
    }
    void deleteOther() {
        control<ReportList>(&users, "accountList")->selectRow(2);
        control<QPushButton>(&users, "deleteButton")->click();
    }
    void saveRights() {
        control<ReportList>(&rights, "accountList")->setChecked(1, true);
        control<ReportList>(&rights, "accountList")->setChecked(2, true);
        control<ReportList>(&rights, "accountList")->selectRow(1);
        control<QCheckBox>(&rights, "editReminderBox")->setChecked(true);
        control<QPushButton>(&rights, "saveButton")->click();
    }
    void changePassword() {
        control<QLineEdit>(&password, "oldPasswordEdit")->setText("Secret");
        control<QLineEdit>(&password, "newPasswordEdit")->setText(newPassword);
        control<QPushButton>(&password, "changeButton")->click();
    }

    TempStore store;
    ScriptedBoxes boxes;
    int me = 0;
    int other = 0;
    UserAccountsDialog users{store.session()};
    PermissionsDialog rights{store.session()};
    PasswordDialog password{store.session()};
    // As long as a password may be.
    const QString newPassword = QString(64, QLatin1Char('k'));
};

TEST_P(RefusedWriteTest, EachDialogSaysWhatWasNotSavedKeepsTheEntryAndWritesOnceTheFaultIsGone) {
    QX_RUN_WHERE_STORE_FAULT_HOLDS(GetParam().kind);
    const QString question = QStringLiteral("确定要删除此用户吗？");
    const QString rightsQuestion = QStringLiteral("确定要对选中记录进行权限配置操作吗？");
    {
        StoreFault fault(store, GetParam().kind);

        // Every write of these dialogs is short (a password is stored as its verifier, of a
        // fixed length): a full disk, which refuses only what needs a new page, lets them
        // through.
        if (GetParam().refusesShortWrites) {
            changePassword();
            expectRefused(QStringLiteral("密码未修改！"));
            EXPECT_EQ(control<QLineEdit>(&password, "oldPasswordEdit")->text() +
                          control<QLineEdit>(&password, "newPasswordEdit")->text(),
                      "Secret" + newPassword);
            EXPECT_TRUE(control<QPushButton>(&password, "changeButton")->isEnabled());

            addAccount();
            expectRefused(QStringLiteral("人员信息未保存！"));
            EXPECT_EQ(control<QLineEdit>(&users, "loginNameEdit")->text() +
                          control<QLineEdit>(&users, "trueNameEdit")->text(),
                      "zhang张三");
            EXPECT_TRUE(control<QPushButton>(&users, "saveButton")->isEnabled());

            deleteOther();
            expectRefused(QStringLiteral("用户未删除！"), {question});
            EXPECT_EQ(control<ReportList>(&users, "accountList")->count(), 3);

            saveRights();
            expectRefused(QStringLiteral("权限设置未保存：已保存 0 人，未保存 2 人！"),
                          {rightsQuestion});
            EXPECT_TRUE(control<QCheckBox>(&rights, "editReminderBox")->isChecked());
        }
        EXPECT_EQ(store.count("tbl_user"), 3);
        EXPECT_EQ(store.count("tbl_popdem"), 0);
    }

    if (!GetParam().refusesShortWrites)
        boxes.clear();
    changePassword();
    addAccount();
    deleteOther();
    saveRights();
    EXPECT_EQ(boxes.texts(),
              (QStringList{"密码修改成功，下次登录后生效！", "添加数据成功！", question,
                           "删除用户成功！", rightsQuestion, "权限设置完毕！"}));
    EXPECT_TRUE(Passwords::matches(
        newPassword, store.scalar("SELECT UserPwd FROM tbl_user WHERE KeyID = ?", {me}).toString()));
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_user WHERE UserLogName = 'zhang'"), 1);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_user WHERE KeyID = ?", {other}), 0);
    EXPECT_EQ(store.scalar("SELECT UserPopdem FROM tbl_popdem WHERE UserId = ?", {me}),
              "000100000");
}

INSTANTIATE_TEST_SUITE_P(Faults, RefusedWriteTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
