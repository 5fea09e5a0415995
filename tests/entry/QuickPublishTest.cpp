// Quick publish: a reminder that starts now, to every user, through a list nobody sees.
#include "EntryFixture.h"
#include "entry/TFrmQuickTx.h"

namespace {

using Icon = MessageBoxes::Icon;

class QuickPublishTest : public EntryTest {
protected:
    TFrmQuickTx& open() {
        dialog = std::make_unique<TFrmQuickTx>(store.session(), Reload());
        dialog->FormShow();
        return *dialog;
    }
    std::unique_ptr<TFrmQuickTx> dialog;
};

TEST_F(QuickPublishTest, OffersNoStartChoiceAndTicksEveryUserInAHiddenList) {
    TFrmQuickTx& d = open();
    ASSERT_NE(d.RadioButton2, nullptr);
    EXPECT_TRUE(d.RadioButton2->isChecked());
    EXPECT_EQ(d.RadioButton3, nullptr);
    EXPECT_EQ(d.DateTimePicker1, nullptr);
    EXPECT_EQ(d.DateTimePicker2, nullptr);
    EXPECT_FALSE(d.ListView1->isVisibleTo(&d));
    EXPECT_FALSE(d.BitBtn1->isEnabled());
    EXPECT_EQ(d.ListView1->count(), store.count("tbl_user"));
    EXPECT_EQ(d.ListView1->checkedCount(), d.ListView1->count());
}

TEST_F(QuickPublishTest, WritesOneRowPerUserEachStartingAtTheMomentItWasWritten) {
    TFrmQuickTx& d = open();
    SetContent(d, "全员：下午三点开会");
    boxes.onShow([&](const MessageBoxes::Request& r) {
        if (r.icon == Icon::Information)
            clock.advanceSecs(1);
    });
    Save(d);
    EXPECT_EQ(BoxTexts(Icon::Question),
              QStringList{QStringLiteral("确定要对所有人员进行信息提醒操作吗？")});
    const auto users = store.rows("SELECT KeyID FROM tbl_user");
    EXPECT_EQ(BoxTexts(Icon::Information),
              QStringList(static_cast<int>(users.size()), QStringLiteral("成功添加提醒信息！")));
    EXPECT_EQ(reloads, static_cast<int>(users.size()));

    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), users.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString moment =
            QDateTime(QDate(2010, 11, 12), QTime(8, 51, 37 + static_cast<int>(i)))
                .toString("yyyy-MM-dd HH:mm:ss");
        EXPECT_EQ(rows[i].recipient, users[i][0].toInt());
        EXPECT_EQ(rows[i].detail.toString(), QStringLiteral("全员：下午三点开会"));
        EXPECT_EQ(rows[i].action, 0);
        EXPECT_EQ(rows[i].beginTime, moment);
        EXPECT_EQ(rows[i].doTime, moment);
        EXPECT_EQ(rows[i].publisher, me);
        EXPECT_EQ(rows[i].kind, 0);
        EXPECT_EQ(rows[i].done, 0);
        EXPECT_EQ(rows[i].totalTime.toLongLong(), 18000);
    }
    EXPECT_EQ(d.Memo1->toPlainText(), QStringLiteral("请输入提醒内容..."));
}

TEST_F(QuickPublishTest, WithoutUsersItAsksForThemAndWritesNothing) {
    store.execute("DELETE FROM tbl_user");
    TFrmQuickTx& d = open();
    SetContent(d, "没人");
    Save(d);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择要进行信息提醒的人员！")});
    EXPECT_TRUE(Reminders().empty());
}

TEST_F(QuickPublishTest, OneSecondBecomesFiveBeforeTheQuestionAndNoWritesNothing) {
    TFrmQuickTx& d = open();
    SetContent(d, "快");
    SetInterval(d, "1", "秒");
    boxes.answerNext(false);
    Save(d);
    EXPECT_EQ(d.Edit1->text(), QStringLiteral("5"));
    EXPECT_TRUE(Reminders().empty());
    EXPECT_EQ(d.Memo1->toPlainText(), QStringLiteral("快"));

    Save(d);
    const auto rows = Reminders();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(store.count("tbl_user")));
    for (const auto& row : rows) {
        EXPECT_EQ(row.intervalNumber, QStringLiteral("5"));
        EXPECT_EQ(row.totalTime.toLongLong(), 300);
    }
}

} // namespace
