#pragma once

#include "schedule/ReminderKind.h"
#include "schedule/ReminderWindow.h"
#include "schedule/RepeatTimer.h"
#include "schedule/SoundPlayer.h"
#include "schedule/StoreWatch.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

// What a popup is given when it is created.
struct PopupContext {
    ReminderKind kind;
    Session& session;
    // The main window's list reload, run after an acknowledgement.
    std::function<void()> reloadLists;
    // The popup calls this when it closes, so that the next repeat tick makes a new one.
    std::function<void()> closed;
};

// Creates the popup of a kind: built, list loaded, shown and sliding in. Returns nullptr when
// there is nothing to show, and throws when it cannot; the caller then keeps the slot empty
// and tries again.
using PopupFactory = std::function<ReminderWindow*(const PopupContext&)>;

// Finds out by itself when the logged-in user's reminders fall due: per kind, a poll on a
// fixed period looks at the head of the pending reminders and, once the head is due, runs
// the kind's repeat timer at the head's interval; each repeat tick brings up the kind's popup
// with its sound, or reloads the open one's list and brings it to the front.
//
// Creating it starts the four polls and runs no statement; before a login the polls find
// nothing. The open popups belong to it: they are closed with it.
class ReminderPolling : public QObject {
    Q_OBJECT
public:
    ReminderPolling(Session& session, std::function<void()> reloadLists, SoundPlayer& sound,
                    PopupFactory popupFactory, QObject* parent = nullptr);
    ~ReminderPolling() override;

    // A poll of one kind, as its timer runs it.
    void onOrdinaryPollTimer();
    void onBirthdayPollTimer();
    void onAppointmentPollTimer();
    void onAnniversaryPollTimer();
    // A repeat tick of one kind, as its timer runs it.
    void onOrdinaryRepeatTimer();
    void onBirthdayRepeatTimer();
    void onAppointmentRepeatTimer();
    void onAnniversaryRepeatTimer();

    // Plays a file of the sound folder; returns at once (the player queues).
    void playWave(const QString& fileName);

    // The kind's open popup (its slot), or nullptr.
    ReminderWindow* openPopup(ReminderKind kind) const;
    // Runs the polls' and the refreshes' statements: what the store's faults do to them.
    StoreWatch& storeWatch() { return watch_; }

    QTimer* pollTimer(ReminderKind kind) const { return pollTimers_[kindIndex(kind)]; }
    RepeatTimer* repeatTimer(ReminderKind kind) const { return repeatTimers_[kindIndex(kind)]; }
    static QString soundFile(ReminderKind kind);

    // The timers and the poll's query object of each kind (the same as pollTimer(kind) and
    // repeatTimer(kind)).
    QTimer* ordinaryPollTimer = nullptr;
    QTimer* birthdayPollTimer = nullptr;
    QTimer* appointmentPollTimer = nullptr;
    QTimer* anniversaryPollTimer = nullptr;
    RepeatTimer* ordinaryRepeatTimer = nullptr;
    RepeatTimer* birthdayRepeatTimer = nullptr;
    RepeatTimer* appointmentRepeatTimer = nullptr;
    RepeatTimer* anniversaryRepeatTimer = nullptr;
    Query ordinaryPollQuery;
    Query birthdayPollQuery;
    Query appointmentPollQuery;
    Query anniversaryPollQuery;

private:
    void poll(ReminderKind kind);
    void repeatTick(ReminderKind kind);
    void guardedPoll(ReminderKind kind);
    void refreshOpenPopup(ReminderWindow* popup);
    Query& queryOf(ReminderKind kind);

    Session& session_;
    std::function<void()> reloadLists_;
    SoundPlayer& sound_;
    PopupFactory popupFactory_;
    std::array<QTimer*, 4> pollTimers_{};
    std::array<RepeatTimer*, 4> repeatTimers_{};
    std::array<QPointer<ReminderWindow>, 4> popupSlots_{};
    // A popup that could not be made when its tick came is made at the next good poll
    // rather than a whole period later.
    std::array<bool, 4> popupOwed_{};
    StoreWatch watch_;
};
