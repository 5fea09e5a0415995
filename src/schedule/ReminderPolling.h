#pragma once

#include "schedule/ReminderKind.h"
#include "schedule/RepeatTimer.h"
#include "schedule/SoundPlayer.h"
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

// Creates the popup of a kind: built, list loaded, shown and sliding in. Throws when it
// cannot; the caller then keeps the slot empty and tries again at the next repeat tick.
using PopupFactory = std::function<QWidget*(const PopupContext&)>;

// Finds out by itself when the logged-in user's reminders fall due: per kind, a poll on a
// fixed period looks at the head of the pending reminders and, once the head is due, runs
// the kind's repeat timer at the head's interval; each repeat tick brings up the kind's popup
// with its sound, or brings the open one to the front.
//
// Creating it starts the four polls and runs no statement; before a login the polls find
// nothing. The open popups belong to it: they are closed with it.
class ReminderPolling : public QObject {
    Q_OBJECT
public:
    ReminderPolling(Session& session, std::function<void()> reloadLists, SoundPlayer& sound,
                    PopupFactory popupFactory, QObject* parent = nullptr);
    ~ReminderPolling() override;

    // Polls.
    void Timer_reminderTimer();
    void Timer_ChecksrTimer();
    void Timer_CheckyhTimer();
    void Timer_CheckJNRTimer();
    // Repeat ticks.
    void Timer_NormalTimer();
    void Timer_SRTimer();
    void Timer_YHTimer();
    void Timer_JNRTimer();

    // Plays a file of the sound folder; returns at once (the player queues).
    void PlayWave(const QString& fileName);

    // The kind's open popup (its slot), or nullptr.
    QWidget* Popup(ReminderKind kind) const;

    QTimer* PollTimer(ReminderKind kind) const { return pollTimers_[KindIndex(kind)]; }
    RepeatTimer* RepeatTimerOf(ReminderKind kind) const { return repeatTimers_[KindIndex(kind)]; }
    static QString SoundFile(ReminderKind kind);

    // Timers and query objects, named as their members.
    QTimer* Timer_reminder = nullptr;
    QTimer* Timer_Checksr = nullptr;
    QTimer* Timer_Checkyh = nullptr;
    QTimer* Timer_CheckJNR = nullptr;
    RepeatTimer* Timer_Normal = nullptr;
    RepeatTimer* Timer_SR = nullptr;
    RepeatTimer* Timer_YH = nullptr;
    RepeatTimer* Timer_JNR = nullptr;
    Query ADOQuery1;
    Query ADOQuery_SR;
    Query ADOQuery_YH;
    Query ADOQuery_JNR;

private:
    void poll(ReminderKind kind);
    void repeatTick(ReminderKind kind);
    void guardedPoll(ReminderKind kind);
    Query& queryOf(ReminderKind kind);

    Session& session_;
    std::function<void()> reloadLists_;
    SoundPlayer& sound_;
    PopupFactory popupFactory_;
    std::array<QTimer*, 4> pollTimers_{};
    std::array<RepeatTimer*, 4> repeatTimers_{};
    std::array<QPointer<QWidget>, 4> popupSlots_{};
    // A poll failure's error box is open: later failures wait for it instead of piling
    // further boxes on top of it every few seconds.
    bool reportingFailure_ = false;
};
