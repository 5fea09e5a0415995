#include "schedule/ReminderPolling.h"

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "schedule/TimingRules.h"
#include "store/Connection.h"
#include "store/Statements.h"

#include <QScopeGuard>
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

namespace {

// The period the row's interval names, if it names one of the units.
std::optional<qint64> periodOf(const Query& row) {
    // Another copy may have stored any number; keep the product inside 64 bits.
    const qint64 number =
        std::clamp<qint64>(row.fieldAsInteger(QStringLiteral("ReIntervalNumber")),
                           std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return TimingRules::intervalMilliseconds(number,
                                             row.fieldAsString(QStringLiteral("ReIntervalType")));
}

QDateTime startOf(const Query& row) {
    return row.fieldAsDateTime(QStringLiteral("RebeginTime"));
}

} // namespace

void ReminderPolling::poll(ReminderKind kind) {
    const QDateTime now = SystemClock::now();
    std::optional<HeadState> head = lookAtHeadEnds(kind, now);
    if (!head)
        head = walkHead(kind, now);
    RepeatTimer* repeat = repeatTimer(kind);
    if (!head->pending) {
        repeat->stop();
        return;
    }
    if (!head->due)
        return;
    // Set once per poll, from one row, so that tied rows of different periods cannot restart
    // the count every poll and keep the popup away for ever.
    if (head->period)
        repeat->setPeriod(*head->period);
    repeat->start();
}

std::optional<ReminderPolling::HeadState> ReminderPolling::lookAtHeadEnds(ReminderKind kind,
                                                                          const QDateTime& now) {
    Query& query = *pollQueries_[kindIndex(kind)];
    query.setStatement(QString::fromLatin1(Statements::kPollHeadEnds));
    query.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    query.bindInteger(QStringLiteral("kind"), kindIndex(kind));
    query.bindText(QStringLiteral("due"), TimingRules::dueStartsBelow(now));
    query.bindText(QStringLiteral("second"), TimingRules::kSecond);
    query.bindText(QStringLiteral("minute"), TimingRules::kMinute);
    query.bindText(QStringLiteral("hour"), TimingRules::kHour);
    query.bindText(QStringLiteral("day"), TimingRules::kDay);
    query.open();
    // Closed on every way out: a result kept open would hold its rows until the next poll.
    const auto closing = qScopeGuard([&query] { query.close(); });
    int earliest = -1;
    int latest = -1;
    int deciding = -1;
    for (int row = 0; row < query.recordCount(); ++row) {
        query.seek(row);
        switch (query.fieldAsInteger(QStringLiteral("PollPart"))) {
        case 1:
            earliest = row;
            break;
        case 2:
            latest = row;
            break;
        case 3:
            deciding = row;
            break;
        default:
            break;
        }
    }
    if (earliest < 0)
        return HeadState{};
    query.seek(earliest);
    // A missing sort key or start has no place in the order of the texts.
    if (query.fieldAsInteger(QStringLiteral("Incomplete")) != 0 || latest < 0)
        return std::nullopt;
    const bool earliestDue = query.fieldAsInteger(QStringLiteral("Due")) != 0;
    // A walk of the head from its end reads the last start first: one that is no moment
    // fails the poll.
    query.seek(latest);
    const QString latestKey = query.fieldAsString(QStringLiteral("KeyID"));
    const QDateTime latestStart = startOf(query);
    auto startAt = [&](int row) {
        query.seek(row);
        return query.fieldAsString(QStringLiteral("KeyID")) == latestKey ? latestStart
                                                                         : startOf(query);
    };
    // The texts decide, and the moments they stand for must agree: a start not written in
    // the moment texts, or a clock turned back for the winter, leaves the decision to a walk
    // over the whole head.
    if (deciding >= 0) {
        if (!TimingRules::isDue(startAt(deciding), now))
            return std::nullopt;
        return HeadState{true, true, periodOf(query)};
    }
    if (TimingRules::isDue(startAt(earliest), now) != earliestDue)
        return std::nullopt;
    return HeadState{true, earliestDue, std::nullopt};
}

ReminderPolling::HeadState ReminderPolling::walkHead(ReminderKind kind, const QDateTime& now) {
    const KindDescription::Poll& rule = describe(kind).poll;
    Query& query = *pollQueries_[kindIndex(kind)];
    query.setStatement(QString::fromUtf8(rule.statement));
    query.bindInteger(QString::fromLatin1(rule.userParameter), session_.currentUserKey);
    query.open();
    const auto closing = qScopeGuard([&query] { query.close(); });
    HeadState state{query.recordCount() > 0, false, std::nullopt};
    // The period comes from the last due row of the head that names a unit: reading from the
    // end, the first such row ends the search.
    for (int row = query.recordCount() - 1; row >= 0 && !state.period; --row) {
        query.seek(row);
        if (!TimingRules::isDue(startOf(query), now))
            continue;
        state.due = true;
        state.period = periodOf(query);
    }
    return state;
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
    watch_.run([&] { anyLeft = popup->refreshReminders(); });
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
