#include "schedule/ReminderPolling.h"

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "schedule/TimingRules.h"
#include "store/Connection.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <optional>

ReminderPolling::ReminderPolling(Session& session, std::function<void()> reloadLists,
                                 SoundPlayer& sound, PopupFactory popupFactory, QObject* parent)
    : QObject(parent), session_(session), reloadLists_(std::move(reloadLists)), sound_(sound),
      popupFactory_(std::move(popupFactory)), watch_(session.connectionName) {
    for (ReminderKind kind : kAllReminderKinds) {
        const KindDescription& description = describe(kind);
        const QString name = QString::fromLatin1(description.name);
        auto* pollTimer = new QTimer(this);
        pollTimer->setObjectName(name + QStringLiteral("PollTimer"));
        pollTimer->setInterval(description.poll.periodMs);
        connect(pollTimer, &QTimer::timeout, this, [this, kind] { guardedPoll(kind); });
        pollTimers_[kindIndex(kind)] = pollTimer;

        auto* repeatTimer = new RepeatTimer(description.poll.firstRepeatMs, this);
        repeatTimer->setObjectName(name + QStringLiteral("RepeatTimer"));
        connect(repeatTimer, &RepeatTimer::fired, this, [this, kind] { repeatTick(kind); });
        repeatTimers_[kindIndex(kind)] = repeatTimer;

        pollQueries_[kindIndex(kind)] = std::make_unique<Query>(session.connectionName);
    }
    for (QTimer* pollTimer : pollTimers_)
        pollTimer->start();
}

ReminderPolling::~ReminderPolling() {
    // A popup works on this copy's session and calls back into its main window; it must not
    // outlive them.
    for (QPointer<ReminderWindow>& popup : popupSlots_)
        delete popup.data();
}

ReminderWindow* ReminderPolling::openPopup(ReminderKind kind) const {
    return popupSlots_[kindIndex(kind)].data();
}

void ReminderPolling::playWave(const QString& fileName) {
    sound_.play(fileName);
}

void ReminderPolling::poll(ReminderKind kind) {
    const KindDescription::Poll& rule = describe(kind).poll;
    Query& query = *pollQueries_[kindIndex(kind)];
    RepeatTimer* repeat = repeatTimer(kind);
    query.setStatement(QString::fromUtf8(rule.statement));
    query.bindInteger(QString::fromLatin1(rule.userParameter), session_.currentUserKey);
    query.open();
    if (query.recordCount() == 0) {
        repeat->stop();
        query.close();
        return;
    }
    // The period comes from the last due row of the head that names a unit; it is set once
    // per poll, so that tied rows of different periods cannot restart the count every poll
    // and keep the popup away for ever. Reading from the end, the first such row ends the
    // search however many rows tie.
    const QDateTime now = SystemClock::now();
    bool anyDue = false;
    std::optional<qint64> period;
    for (int row = query.recordCount() - 1; row >= 0 && !period; --row) {
        query.seek(row);
        if (!TimingRules::isDue(query.fieldAsDateTime(QStringLiteral("RebeginTime")), now))
            continue;
        anyDue = true;
        // Another copy may have stored any number; keep the product inside 64 bits.
        const qint64 number = std::clamp<qint64>(
            query.fieldAsInteger(QStringLiteral("ReIntervalNumber")),
            std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        period = TimingRules::intervalMilliseconds(
            number, query.fieldAsString(QStringLiteral("ReIntervalType")));
    }
    query.close();
    if (!anyDue)
        return;
    if (period)
        repeat->setPeriod(*period);
    repeat->start();
}

void ReminderPolling::guardedPoll(ReminderKind kind) {
    if (!watch_.run([this, kind] { poll(kind); }))
        return;
    bool& owed = popupOwed_[kindIndex(kind)];
    if (owed && repeatTimer(kind)->isEnabled()) {
        owed = false;
        repeatTick(kind);
    }
}

void ReminderPolling::refreshOpenPopup(ReminderWindow* popup) {
    QPointer<ReminderWindow> guard(popup);
    bool anyLeft = true;
    // A store that cannot be read now leaves the list as it was.
    watch_.run([&] { anyLeft = popup->reloadReminders(); });
    if (!guard)
        return;
    if (!anyLeft) {
        // Everything it listed was handled elsewhere: nothing is left to remind of.
        popup->close();
        return;
    }
    popup->present();
}

void ReminderPolling::repeatTick(ReminderKind kind) {
    QPointer<ReminderWindow>& slot = popupSlots_[kindIndex(kind)];
    if (slot) {
        refreshOpenPopup(slot);
        return;
    }
    try {
        // Only the popup that holds the slot may empty it.
        auto self = std::make_shared<QPointer<ReminderWindow>>();
        PopupContext context{kind, session_, reloadLists_, [this, kind, self] {
                                 QPointer<ReminderWindow>& held = popupSlots_[kindIndex(kind)];
                                 if (held == *self)
                                     held.clear();
                             }};
        ReminderWindow* popup = nullptr;
        {
            Connection::NoWait noWait(session_.connectionName);
            popup = popupFactory_(context);
        }
        popupOwed_[kindIndex(kind)] = false;
        // Nothing pending: no empty window, and no sound.
        if (!popup)
            return;
        *self = popup;
        slot = popup;
        popup->present();
        playWave(QString::fromLatin1(describe(kind).poll.sound));
    } catch (...) {
        // A popup that cannot be made now (the store busy or failing) is tried again at the
        // next good poll, without a message: the poll tells of a store that stays bad.
        popupOwed_[kindIndex(kind)] = true;
    }
}
