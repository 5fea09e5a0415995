// A store that refuses writes: every entry dialog says the reminder was not saved and why,
// keeps what the user entered, reports nothing as a success, and saves once the fault is gone.
#include "EntryFixture.h"
#include "entry/AddReminderDialog.h"
#include "entry/DatedReminderDialog.h"
#include "entry/EditReminderDialog.h"
#include "entry/QuickPublishDialog.h"
#include "support/Controls.h"
#include "support/StoreFault.h"

#include <algorithm>

namespace {

using Icon = MessageBoxes::Icon;

struct Fault {
    const char* name;
    StoreFaultKind kind;
};

const Fault kFaults[] = {{"ReadOnlyFile", StoreFaultKind::ReadOnlyFile},
                         {"ReadOnlyFolder", StoreFaultKind::ReadOnlyFolder},
                         {"FullDisk", StoreFaultKind::FullDisk}};

class RefusedWriteTest : public EntryTest, public ::testing::WithParamInterface<Fault> {
protected:
    // Each dialog holds its reminder, ticked as it opened; the store refuses every save, then
    // takes them all.
    void refuseThenSave(ReminderEntryDialog& add, ReminderEntryDialog& quick,
                        ReminderEntryDialog& edit, ReminderEntryDialog& birthday) {
        struct Entry {
            ReminderEntryDialog& dialog;
            QString heading;
            int rowsHoldingIt; // once saved
        };
        const Entry entries[] = {
            {add, QStringLiteral("提醒信息未保存！"), 1},
            {quick, QStringLiteral("提醒信息未保存：已保存 0 人，未保存 4 人！"), 4},
            {edit, QStringLiteral("提醒信息未保存！"), 1},
            {birthday, QStringLiteral("提醒信息未保存！"), 1},
        };
        // Long enough to need pages of its own, so that a full disk refuses it as well.
        auto contentOf = [](int i) { return QString::number(i) + QString(3000, QChar(0x63D0)); };
        for (int i = 0; i < 4; ++i) {
            setContent(entries[i].dialog, contentOf(i));
            setInterval(entries[i].dialog, "7", "时");
        }

        {
            StoreFault fault(store, GetParam().kind);
            for (int i = 0; i < 4; ++i) {
                boxes.clear();
                save(entries[i].dialog);
                const QStringList errors = boxTexts(Icon::Error);
                ASSERT_EQ(errors.size(), 1) << i;
                EXPECT_TRUE(StoreFault::reports(errors[0], entries[i].heading, GetParam().kind))
                    << errors[0].toStdString();
                EXPECT_EQ(boxes.last().caption, QStringLiteral("橙岭定时提醒系统V1.0"));
                EXPECT_TRUE(boxTexts(Icon::Information).isEmpty()) << i;
                EXPECT_EQ(control<QPlainTextEdit>(&entries[i].dialog, "contentEdit")->toPlainText(),
                          contentOf(i));
                EXPECT_EQ(control<QLineEdit>(&entries[i].dialog, "intervalEdit")->text(),
                          QStringLiteral("7"));
                EXPECT_EQ(
                    control<QComboBox>(&entries[i].dialog, "intervalUnitCombo")->currentText(),
                    QStringLiteral("时"));
            }
            EXPECT_EQ(tickedNames(add), QStringList{"同事"});
            EXPECT_EQ(recipientsOf(quick)->checkedCount(), 4);
            EXPECT_EQ(tickedNames(edit), QStringList{"同事"});
            EXPECT_EQ(reloads, 0);
            ASSERT_EQ(reminders().size(), 1u);
            EXPECT_EQ(reminders()[0].detail.toString(), QStringLiteral("内容"));
        }

        boxes.clear();
        for (const Entry& entry : entries)
            save(entry.dialog);
        EXPECT_TRUE(boxTexts(Icon::Error).isEmpty());
        EXPECT_EQ(boxTexts(Icon::Information).size(), 1 + 4 + 1 + 1);
        const auto rows = reminders();
        ASSERT_EQ(rows.size(), 7u) << "the edited reminder and six new ones";
        EXPECT_EQ(rows[0].detail.toString(), contentOf(2));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                                    [&](const Stored& row) { return row.detail == contentOf(i); }),
                      entries[i].rowsHoldingIt)
                << i;
    }
};

TEST_P(RefusedWriteTest,
       EveryDialogSaysTheReminderWasNotSavedKeepsTheEntryAndSavesOnceTheFaultIsGone) {
    QX_RUN_WHERE_STORE_FAULT_HOLDS(GetParam().kind);
    const int published = store.addReminder({.recipient = other, .publisher = me});
    AddReminderDialog add(store.session(), countingReload());
    add.show();
    tick(add, {"同事"});
    QuickPublishDialog quick(store.session(), countingReload());
    quick.show(); // every one of the four users ticked
    DatedReminderDialog birthday(store.session(), countingReload(), ReminderKind::Birthday);
    birthday.show(); // nobody ticked: to oneself
    // The edit dialog is up while its opener runs it: the test goes on in there.
    ScriptedModal modal([&](QDialog& shown) {
        refuseThenSave(add, quick, dynamic_cast<EditReminderDialog&>(shown), birthday);
        return int(QDialog::Rejected);
    });
    EditReminderDialog::editPublished(store.session(), countingReload(), QString::number(published),
                                      QStringLiteral("内容"));
}

INSTANTIATE_TEST_SUITE_P(Faults, RefusedWriteTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
