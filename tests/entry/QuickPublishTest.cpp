// Quick publish: a reminder that starts now, to every user, through a list nobody sees.
#include "EntryFixture.h"
#include "entry/QuickPublishDialog.h"
#include "support/Controls.h"

namespace {

using Icon = MessageBoxes::Icon;

class QuickPublishTest : public EntryTest {
protected:
    QuickPublishDialog& open() {
        dialog = std::make_unique<QuickPublishDialog>(store.session(), countingReload());
        dialog->show();
        return *dialog;
    }
    std::unique_ptr<QuickPublishDialog> dialog;
};

TEST_F(QuickPublishTest, OffersNoStartChoiceAndTicksEveryUserInAHiddenList) {
    QuickPublishDialog& d = open();
    ASSERT_NE(control<QRadioButton>(&d, "startNowButton"), nullptr);
    EXPECT_TRUE(control<QRadioButton>(&d, "startNowButton")->isChecked());
    EXPECT_EQ(d.findChild<QRadioButton*>("startPickedButton"), nullptr);
    EXPECT_EQ(d.findChild<QDateEdit*>("startDateEdit"), nullptr);
    EXPECT_EQ(d.findChild<QTimeEdit*>("startTimeEdit"), nullptr);
    EXPECT_FALSE(recipientsOf(d)->isVisibleTo(&d));
    EXPECT_FALSE(control<QPushButton>(&d, "saveButton")->isEnabled());
    EXPECT_EQ(recipientsOf(d)->count(), store.count("tbl_user"));
    EXPECT_EQ(recipientsOf(d)->checkedCount(), recipientsOf(d)->count());
}

TEST_F(QuickPublishTest, WritesOneRowPerUserEachStartingAtTheMomentItWasWritten) {
    QuickPublishDialog& d = open();
    setContent(d, "全员：下午三点开会");
    boxes.onShow([&](const MessageBoxes::Request& r) {
        if (r.icon == Icon::Information)
            clock.advanceSecs(1);
    });
    save(d);
    EXPECT_EQ(boxTexts(Icon::Question),
              QStringList{QStringLiteral("确定要对所有人员进行信息提醒操作吗？")});
    const auto users = store.rows("SELECT KeyID FROM tbl_user");
    EXPECT_EQ(boxTexts(Icon::Information),
              QStringList(static_cast<int>(users.size()), QStringLiteral("成功添加提醒信息！")));
    EXPECT_EQ(reloads, static_cast<int>(users.size()));

    const auto rows = reminders();
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
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(),
              QStringLiteral("请输入提醒内容..."));
}

TEST_F(QuickPublishTest, WithoutUsersItAsksForThemAndWritesNothing) {
    store.execute("DELETE FROM tbl_user");
    QuickPublishDialog& d = open();
    setContent(d, "没人");
    save(d);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("请选择要进行信息提醒的人员！")});
    EXPECT_TRUE(reminders().empty());
}

TEST_F(QuickPublishTest, OneSecondBecomesFiveBeforeTheQuestionAndNoWritesNothing) {
    QuickPublishDialog& d = open();
    setContent(d, "快");
    setInterval(d, "1", "秒");
    boxes.answerNext(false);
    save(d);
    EXPECT_EQ(control<QLineEdit>(&d, "intervalEdit")->text(), QStringLiteral("5"));
    EXPECT_TRUE(reminders().empty());
    EXPECT_EQ(control<QPlainTextEdit>(&d, "contentEdit")->toPlainText(), QStringLiteral("快"));

    save(d);
    const auto rows = reminders();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(store.count("tbl_user")));
    for (const auto& row : rows) {
        EXPECT_EQ(row.intervalNumber, QStringLiteral("5"));
        EXPECT_EQ(row.totalTime.toLongLong(), 300);
    }
}

} // namespace
