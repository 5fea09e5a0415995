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
#include <memory>
#include <optional>

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
// with its sound, or brings the open one up to date (its list is read again only when the
// store changed) and to the front.
//
// Creating it starts one poll per kind (KindDescription holds their periods, statements and
// sounds) and runs no statement; before a login the polls find nothing. The open popups
// belong to it: they are closed with it.
class ReminderPolling : public QObject {
    Q_OBJECT
public:
    ReminderPolling(Session& session, std::function<void()> reloadLists, SoundPlayer& sound,
                    PopupFactory popupFactory, QObject* parent = nullptr);
    ~ReminderPolling() override;

    // One poll of the kind: reads the head of the user's pending reminders of the kind and
    // starts or stops its repeat timer. Its timer runs it through the store watch; tests call
    // it directly after moving the fake clock (a store error then comes through).
    void poll(ReminderKind kind);
    // One tick of the kind's repeat timer: brings up the kind's popup with its sound, or
    // brings the open one up to date and to the front.
    void repeatTick(ReminderKind kind);

    // Plays a file of the sound folder; returns at once (the player queues).
    void playWave(const QString& fileName);

    // The kind's open popup (its slot), or nullptr.
    ReminderWindow* openPopup(ReminderKind kind) const;
    // Runs the polls' and the refreshes' statements: what the store's faults do to them.
    StoreWatch& storeWatch() { return watch_; }

    QTimer* pollTimer(ReminderKind kind) const { return pollTimers_[kindIndex(kind)]; }
    RepeatTimer* repeatTimer(ReminderKind kind) const { return repeatTimers_[kindIndex(kind)]; }

private:
    // What a poll found at the head of a kind's pending reminders.
    struct HeadState {
        bool pending = false;
        bool due = false;
        // From the last due head row that names a unit.
        std::optional<qint64> period;
    };
    // The head's first and last starts and its last due row, however many rows tie; nothing
    // when their texts cannot decide.
    std::optional<HeadState> lookAtHeadEnds(ReminderKind kind, const QDateTime& now);
    // Every row of the head, each start read as a moment.
    HeadState walkHead(ReminderKind kind, const QDateTime& now);
    void guardedPoll(ReminderKind kind);
    void refreshOpenPopup(ReminderWindow* popup);

    Session& session_;
    std::function<void()> reloadLists_;
    SoundPlayer& sound_;
    PopupFactory popupFactory_;
    static constexpr std::size_t kKinds = kAllReminderKinds.size();
    std::array<QTimer*, kKinds> pollTimers_{};
    std::array<RepeatTimer*, kKinds> repeatTimers_{};
    // Each kind's poll runs its statement on a query object of its own, prepared once.
    std::array<std::unique_ptr<Query>, kKinds> pollQueries_;
    std::array<QPointer<ReminderWindow>, kKinds> popupSlots_{};
    // A popup that could not be made when its tick came is made at the next good poll
    // rather than a whole period later.
    std::array<bool, kKinds> popupOwed_{};
    StoreWatch watch_;
};
