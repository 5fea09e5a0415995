// The permission settings dialog on a temporary store: selection and ticks, loading the nine
// boxes and saving them to the ticked accounts.
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/PermissionsDialog.h"

#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// List rows: 0 the administrator, then 甲, 乙, 丙.
class PermissionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        jia = store.addUser("jia", "甲");
        yi = store.addUser("yi", "乙");
        bing = store.addUser("bing", "丙");
        dialog = std::make_unique<PermissionsDialog>(store.session());
        dialog->show();
    }
    // The nine boxes, in the order of the string's positions.
    QList<QCheckBox*> permissionBoxes() const {
        QList<QCheckBox*> boxes;
        for (const char* name : {"userAccountsBox", "permissionsBox", "addReminderBox",
                                 "editReminderBox", "deleteReminderBox", "quickPublishBox",
                                 "birthdayBox", "appointmentBox", "anniversaryBox"})
            boxes << control<QCheckBox>(dialog.get(), name);
        return boxes;
    }
    QString boxes9() const {
        QString text;
        for (QCheckBox* box : permissionBoxes())
            text += box->isChecked() ? '1' : '0';
        return text;
    }
    void setBoxes(const QString& text) {
        const QList<QCheckBox*> boxes = permissionBoxes();
        for (int i = 0; i < 9; ++i)
            boxes[i]->setChecked(text[i] == '1');
    }
    void select(int row) { control<ReportList>(dialog.get(), "accountList")->selectRow(row); }
    void tick(int row) { control<ReportList>(dialog.get(), "accountList")->setChecked(row, true); }
    QStringList stringsOf(int key) const {
        QStringList texts;
        for (const auto& row :
             store.rows("SELECT UserPopdem FROM tbl_popdem WHERE UserId = ?", {key}))
            texts << row[0].toString();
        return texts;
    }
    // Every permission write for this account fails, as on a locked or failing store.
    void refuseWritesFor(int key) {
        for (const char* event : {"INSERT", "UPDATE"})
            store.execute(
                QStringLiteral(
                    "CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON tbl_popdem WHEN NEW.UserId = %2 "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .arg(event)
                    .arg(key));
    }
    void save() { control<QPushButton>(dialog.get(), "saveButton")->click(); }

    TempStore store;
    ScriptedBoxes boxes;
    int jia = 0, yi = 0, bing = 0;
    std::unique_ptr<PermissionsDialog> dialog;
};

TEST_F(PermissionDialogTest,
       SelectingARowLoadsItsStringAndAnAccountWithoutARowShowsNineClearBoxes) {
    ASSERT_EQ(control<ReportList>(dialog.get(), "accountList")->count(), 4);
    EXPECT_EQ(control<ReportList>(dialog.get(), "accountList")->text(1, ReportList::Column::Name),
              "甲");
    EXPECT_EQ(control<ReportList>(dialog.get(), "accountList")->text(3, ReportList::Column::Key),
              QString::number(bing));
    const QAbstractItemModel* model = control<ReportList>(dialog.get(), "accountList")->model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_FALSE(control<ReportList>(dialog.get(), "accountList")->isColumnHidden(0));
    EXPECT_TRUE(control<ReportList>(dialog.get(), "accountList")->isColumnHidden(1))
        << "the key column";
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "saveButton")->isEnabled());

    store.setPermission(jia, "110000001");
    store.setPermission(yi, "101");
    select(1);
    EXPECT_EQ(boxes9(), "110000001");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "saveButton")->isEnabled());
    select(2);
    EXPECT_EQ(boxes9(), "101000000") << "missing positions are clear";
    select(3);
    EXPECT_EQ(boxes9(), "000000000");
    EXPECT_TRUE(control<QPushButton>(dialog.get(), "saveButton")->isEnabled());
}

TEST_F(PermissionDialogTest, ClearingTheSelectionClearsTheBoxesAndDisablesSaveWhileTheTicksStay) {
    store.setPermission(jia, "111111111");
    tick(2);
    tick(3);
    select(1);
    select(-1);
    EXPECT_EQ(boxes9(), "000000000");
    EXPECT_FALSE(control<QPushButton>(dialog.get(), "saveButton")->isEnabled());
    EXPECT_EQ(control<ReportList>(dialog.get(), "accountList")->checkedCount(), 2);
    EXPECT_TRUE(control<ReportList>(dialog.get(), "accountList")->isChecked(2) &&
                control<ReportList>(dialog.get(), "accountList")->isChecked(3));
}

TEST_F(PermissionDialogTest, ClickingATickBoxLeavesTheSelectionAndTheEditedBoxesForTheSave) {
    store.setPermission(jia, "100000000");
    QWidget* viewport = control<ReportList>(dialog.get(), "accountList")->viewport();
    auto at = [this](int row, int x) {
        const QRect rect =
            control<ReportList>(dialog.get(), "accountList")
                ->visualRect(
                    control<ReportList>(dialog.get(), "accountList")->model()->index(row, 0));
        return QPoint(rect.left() + x, rect.center().y());
    };
    const int tickX = 3 + control<ReportList>(dialog.get(), "accountList")
                                  ->style()
                                  ->pixelMetric(QStyle::PM_IndicatorWidth) /
                              2;
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(1, 70));
    ASSERT_EQ(control<ReportList>(dialog.get(), "accountList")->selectedRow(), 1);
    EXPECT_FALSE(control<ReportList>(dialog.get(), "accountList")->isChecked(1))
        << "selecting never ticks";
    control<QCheckBox>(dialog.get(), "deleteReminderBox")->setChecked(true);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(2, tickX));
    EXPECT_TRUE(control<ReportList>(dialog.get(), "accountList")->isChecked(2));
    EXPECT_EQ(control<ReportList>(dialog.get(), "accountList")->selectedRow(), 1);
    EXPECT_EQ(boxes9(), "100010000");

    // The boxes as they stand go to the ticked account, whoever they were loaded from.
    save();
    EXPECT_EQ(stringsOf(yi), QStringList{"100010000"});
    EXPECT_EQ(stringsOf(jia), QStringList{"100000000"});
}

TEST_F(PermissionDialogTest, NothingTickedOrNoToTheQuestionWritesNothing) {
    select(1);
    save();
    EXPECT_EQ(boxes.texts(), QStringList{"请选择一条记录进行操作！"});
    boxes.clear();
    tick(1);
    boxes.answerNext(false);
    save();
    EXPECT_EQ(boxes.texts(),
              (QStringList{"确定要对选中记录进行权限配置操作吗？", "请选择一条记录！"}));
    EXPECT_EQ(boxes.all()[0].icon, MessageBoxes::Icon::Question);
    EXPECT_EQ(store.count("tbl_popdem"), 0);
}

TEST_F(PermissionDialogTest, EveryTickedAccountGetsTheStringAndOneBoxTellsOfTheRefusals) {
    store.setPermission(jia, "000000001");
    refuseWritesFor(1);   // no row: its insert fails
    refuseWritesFor(jia); // a row: its update fails
    select(3);
    setBoxes("110100001");
    control<QPushButton>(dialog.get(), "selectAllButton")->click();
    ASSERT_EQ(control<ReportList>(dialog.get(), "accountList")->checkedCount(), 4);
    save();
    EXPECT_EQ(boxes.texts(), (QStringList{"确定要对选中记录进行权限配置操作吗？",
                                          "权限设置未保存：已保存 2 人，未保存 2 人！\nrefused"}));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(stringsOf(1), QStringList{});
    EXPECT_EQ(stringsOf(jia), QStringList{"000000001"});
    EXPECT_EQ(stringsOf(yi), QStringList{"110100001"});
    EXPECT_EQ(stringsOf(bing), QStringList{"110100001"}) << "the save goes on after a success";

    // With every ticked write accepted, one box says it is done.
    boxes.clear();
    control<QPushButton>(dialog.get(), "clearAllButton")->click();
    tick(2);
    tick(3);
    setBoxes("000000011");
    save();
    EXPECT_EQ(boxes.texts().last(), "权限设置完毕！");
    EXPECT_EQ(stringsOf(yi), QStringList{"000000011"});
    EXPECT_EQ(stringsOf(bing), QStringList{"000000011"});
}

TEST_F(PermissionDialogTest, SavingTwiceForOneAccountKeepsOneRow) {
    tick(2);
    select(2);
    setBoxes("100000001");
    save();
    setBoxes("011111110");
    save();
    EXPECT_EQ(stringsOf(yi), QStringList{"011111110"});
    EXPECT_EQ(store.count("tbl_popdem"), 1);
    EXPECT_EQ(boxes.texts().count("权限设置完毕！"), 2);
}

TEST_F(PermissionDialogTest, WhenEveryWriteFailsTheUserIsToldAndNothingChanges) {
    store.setPermission(yi, "111111111");
    refuseWritesFor(jia);
    refuseWritesFor(yi);
    tick(1);
    tick(2);
    select(1);
    save();
    EXPECT_EQ(boxes.texts(), (QStringList{"确定要对选中记录进行权限配置操作吗？",
                                          "权限设置未保存：已保存 0 人，未保存 2 人！\nrefused"}));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(stringsOf(jia), QStringList{});
    EXPECT_EQ(stringsOf(yi), QStringList{"111111111"});
}

TEST_F(PermissionDialogTest, TheBoxCaptionedAddReminderGrantsTheThirdPosition) {
    QCheckBox* addReminder = nullptr;
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("添加提醒"))
            addReminder = box;
    ASSERT_NE(addReminder, nullptr);
    tick(1);
    select(1);
    QTest::mouseClick(addReminder, Qt::LeftButton);
    save();
    EXPECT_EQ(stringsOf(jia), QStringList{"001000000"});
}

} // namespace
