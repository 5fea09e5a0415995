#pragma once

#include "entry/ReminderEntryDialog.h"
#include "platform/MessageBoxes.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <vector>

// A store with four users, "我自己" logged in, a fixed clock, scripted boxes and a counter of
// list reloads: what every entry dialog test starts from.
class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        me = store.addUser("me", "我自己");
        other = store.addUser("other", "同事");
        third = store.addUser("third", "第三人");
        store.session().currentUserKey = me;
        store.session().currentUserName = QStringLiteral("我自己");
    }

    // One stored reminder row, as the store holds it.
    struct Stored {
        int key = 0;
        int recipient = 0;
        QVariant detail;
        int action = -1;
        QString beginTime;
        QString intervalNumber;
        QString intervalType;
        QString doTime;
        int publisher = 0;
        int kind = -1;
        int done = -1;
        QVariant totalTime;
    };

    std::vector<Stored> reminders() const {
        std::vector<Stored> result;
        for (const auto& row : store.rows(
                 "SELECT KeyID, ReUserID, ReDetail, ReAction, ReBeginTime, ReIntervalNumber, "
                 "ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, TotalTime "
                 "FROM tbl_reminder ORDER BY KeyID")) {
            Stored s;
            s.key = row[0].toInt();
            s.recipient = row[1].toInt();
            s.detail = row[2];
            s.action = row[3].toInt();
            s.beginTime = row[4].toString();
            s.intervalNumber = row[5].toString();
            s.intervalType = row[6].toString();
            s.doTime = row[7].toString();
            s.publisher = row[8].toInt();
            s.kind = row[9].toInt();
            s.done = row[10].toInt();
            s.totalTime = row[11];
            result.push_back(s);
        }
        return result;
    }

    static ReportList* recipientsOf(const ReminderEntryDialog& dialog) {
        return control<ReportList>(&dialog, "recipientList");
    }
    static int rowOf(const ReminderEntryDialog& dialog, const QString& name) {
        for (int row = 0; row < recipientsOf(dialog)->count(); ++row)
            if (recipientsOf(dialog)->text(row, ReportList::Column::Name) == name)
                return row;
        ADD_FAILURE() << "no recipient row " << name.toStdString();
        return -1;
    }
    static void tick(ReminderEntryDialog& dialog, const QStringList& names) {
        for (const QString& name : names)
            recipientsOf(dialog)->setChecked(rowOf(dialog, name), true);
    }
    static QStringList tickedNames(const ReminderEntryDialog& dialog) {
        QStringList names;
        for (int row = 0; row < recipientsOf(dialog)->count(); ++row)
            if (recipientsOf(dialog)->isChecked(row))
                names << recipientsOf(dialog)->text(row, ReportList::Column::Name);
        return names;
    }
    // Types into the memo as a user would: a change of the memo, which enables Save.
    static void setContent(ReminderEntryDialog& dialog, const QString& text) {
        control<QPlainTextEdit>(&dialog, "contentEdit")->setPlainText(text);
    }
    static void setInterval(ReminderEntryDialog& dialog, const QString& number,
                            const QString& unit) {
        control<QLineEdit>(&dialog, "intervalEdit")->setText(number);
        control<QComboBox>(&dialog, "intervalUnitCombo")->setEditText(unit);
    }
    // Save as a click on it: through the handler guard, and only when the button is enabled.
    static void save(ReminderEntryDialog& dialog) {
        control<QPushButton>(&dialog, "saveButton")->click();
    }

    // The boxes of one icon, in order.
    QStringList boxTexts(MessageBoxes::Icon icon) const {
        QStringList texts;
        for (const auto& request : boxes.all())
            if (request.icon == icon)
                texts << request.text;
        return texts;
    }
    int questionCount() const {
        return static_cast<int>(boxTexts(MessageBoxes::Icon::Question).size());
    }

    std::function<void()> countingReload() {
        return [this] { ++reloads; };
    }

    TempStore store;
    FakeClock clock;
    ScriptedBoxes boxes;
    int reloads = 0;
    int me = 0;
    int other = 0;
    int third = 0;
};
