#pragma once

#include "popups/PopupFactory.h"
#include "popups/ReminderPopup.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

// A store with two users, the fake clock at 2011-03-08 08:30:15, scripted boxes, and popups
// made as the repeat tick makes them. Whatever popups are left are freed at the end.
class PopupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        me = store.addUser("me", "我自己");
        other = store.addUser("other", "同事");
        store.session().currentUserKey = me;
        store.session().currentUserName = "我自己";
    }
    void TearDown() override {
        for (const QPointer<ReminderPopup>& popup : popups)
            delete popup.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    PopupContext context(ReminderKind kind) {
        return PopupContext{kind, store.session(),
                            [this] {
                                events << "reload";
                                if (onReload)
                                    onReload();
                            },
                            [this] { events << "closed"; }};
    }
    ReminderPopup* open(ReminderKind kind) {
        auto* popup = static_cast<ReminderPopup*>(Popups::create(context(kind)));
        popups.push_back(popup);
        return popup;
    }
    int addReminder(ReminderKind kind, const QString& detail, QVariant totalTime,
                    const QString& begin = "2011-03-08 08:00:00", int recipient = 0, int done = 0) {
        TempStore::Reminder r;
        r.recipient = recipient ? recipient : me;
        r.publisher = other;
        r.kind = kindIndex(kind);
        r.detail = detail;
        r.beginTime = begin;
        r.totalTime = totalTime;
        r.done = done;
        return store.addReminder(r);
    }
    // The row of tbl_reminder: begin, number, unit, total, done.
    std::vector<QVariant> row(int key) const {
        const auto rows =
            store.rows("SELECT ReBeginTime, ReIntervalNumber, ReIntervalType, TotalTime, "
                       "IfDone FROM tbl_reminder WHERE KeyID=?",
                       {key});
        return rows.empty() ? std::vector<QVariant>{} : rows.front();
    }
    static ReportList* listOf(const ReminderPopup* popup) {
        return control<ReportList>(popup, "reminderList");
    }
    static bool sliding(const ReminderPopup* popup) {
        return control<QTimer>(popup, "slideTimer")->isActive();
    }
    static bool customRowVisible(const ReminderPopup* popup) {
        const auto* row = popup->findChild<QWidget*>("customPostponeRow");
        return row && row->isVisible();
    }
    using Column = ReportList::Column;
    static QStringList column(const ReportList* list, Column column) {
        QStringList texts;
        for (int r = 0; r < list->count(); ++r)
            texts << list->text(r, column);
        return texts;
    }

    TempStore store;
    FakeClock clock{QDateTime(QDate(2011, 3, 8), QTime(8, 30, 15))};
    ScriptedBoxes boxes;
    int me = 0;
    int other = 0;
    QStringList events;
    std::function<void()> onReload;
    std::vector<QPointer<ReminderPopup>> popups;
};
