#include "schedule/ReminderPolling.h"

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "schedule/TimingRules.h"
#include "store/Connection.h"
#include "store/Statements.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <optional>

namespace {

struct KindSetup {
    const char* pollTimer;
    int pollMs;
    const char* repeatTimer;
    qint64 initialRepeatMs;
    const char* parameter; // the anniversary poll names its parameter p1
    const char* sound;
};

const KindSetup kSetup[4] = {
    {"ordinaryPollTimer", 4000, "ordinaryRepeatTimer", 5000, "p", "reminder.wav"},
    {"birthdayPollTimer", 25000, "birthdayRepeatTimer", 8000, "p", "reminder.wav"},
    {"appointmentPollTimer", 7000, "appointmentRepeatTimer", 5000, "p", "SOUND560.WAV"},
    {"anniversaryPollTimer", 6000, "anniversaryRepeatTimer", 5000, "p1", "Trumpet1.wav"},
};

} // namespace

ReminderPolling::ReminderPolling(Session& session, std::function<void()> reloadLists,
                                 SoundPlayer& sound, PopupFactory popupFactory, QObject* parent)
    : QObject(parent), ordinaryPollQuery(session.connectionName),
      birthdayPollQuery(session.connectionName), appointmentPollQuery(session.connectionName),
      anniversaryPollQuery(session.connectionName), session_(session),
      reloadLists_(std::move(reloadLists)), sound_(sound), popupFactory_(std::move(popupFactory)),
      watch_(session.connectionName) {
    for (ReminderKind kind : kAllReminderKinds) {
        const KindSetup& setup = kSetup[kindIndex(kind)];
        auto* pollTimer = new QTimer(this);
        pollTimer->setObjectName(QString::fromLatin1(setup.pollTimer));
        pollTimer->setInterval(setup.pollMs);
        connect(pollTimer, &QTimer::timeout, this, [this, kind] { guardedPoll(kind); });
        pollTimers_[kindIndex(kind)] = pollTimer;

        auto* repeatTimer = new RepeatTimer(setup.initialRepeatMs, this);
        repeatTimer->setObjectName(QString::fromLatin1(setup.repeatTimer));
        connect(repeatTimer, &RepeatTimer::fired, this, [this, kind] { repeatTick(kind); });
        repeatTimers_[kindIndex(kind)] = repeatTimer;
    }
    ordinaryPollTimer = pollTimers_[0];
    birthdayPollTimer = pollTimers_[1];
    appointmentPollTimer = pollTimers_[2];
    anniversaryPollTimer = pollTimers_[3];
    ordinaryRepeatTimer = repeatTimers_[0];
    birthdayRepeatTimer = repeatTimers_[1];
    appointmentRepeatTimer = repeatTimers_[2];
    anniversaryRepeatTimer = repeatTimers_[3];
    for (QTimer* pollTimer : pollTimers_)
        pollTimer->start();
}

ReminderPolling::~ReminderPolling() {
    // A popup works on this copy's session and calls back into its main window; it must not
    // outlive them.
    for (QPointer<ReminderWindow>& popup : popupSlots_)
        delete popup.data();
}

void ReminderPolling::onOrdinaryPollTimer() {
    poll(ReminderKind::Ordinary);
}
void ReminderPolling::onBirthdayPollTimer() {
    poll(ReminderKind::Birthday);
}
void ReminderPolling::onAppointmentPollTimer() {
    poll(ReminderKind::Appointment);
}
void ReminderPolling::onAnniversaryPollTimer() {
    poll(ReminderKind::Anniversary);
}
void ReminderPolling::onOrdinaryRepeatTimer() {
    repeatTick(ReminderKind::Ordinary);
}
void ReminderPolling::onBirthdayRepeatTimer() {
    repeatTick(ReminderKind::Birthday);
}
void ReminderPolling::onAppointmentRepeatTimer() {
    repeatTick(ReminderKind::Appointment);
}
void ReminderPolling::onAnniversaryRepeatTimer() {
    repeatTick(ReminderKind::Anniversary);
}

QString ReminderPolling::soundFile(ReminderKind kind) {
    return QString::fromLatin1(kSetup[kindIndex(kind)].sound);
}

ReminderWindow* ReminderPolling::openPopup(ReminderKind kind) const {
    return popupSlots_[kindIndex(kind)].data();
}

void ReminderPolling::playWave(const QString& fileName) {
    sound_.play(fileName);
}

Query& ReminderPolling::queryOf(ReminderKind kind) {
    switch (kind) {
    case ReminderKind::Birthday:
        return birthdayPollQuery;
    case ReminderKind::Appointment:
        return appointmentPollQuery;
    case ReminderKind::Anniversary:
        return anniversaryPollQuery;
    case ReminderKind::Ordinary:
        break;
    }
    return ordinaryPollQuery;
}

void ReminderPolling::poll(ReminderKind kind) {
    Query& query = queryOf(kind);
    RepeatTimer* repeat = repeatTimer(kind);
    query.setStatement(QString::fromUtf8(Statements::kPollByKind[kindIndex(kind)]));
    query.bindInteger(QString::fromLatin1(kSetup[kindIndex(kind)].parameter),
                      session_.currentUserKey);
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
        playWave(soundFile(kind));
    } catch (...) {
        // A popup that cannot be made now (the store busy or failing) is tried again at the
        // next good poll, without a message: the poll tells of a store that stays bad.
        popupOwed_[kindIndex(kind)] = true;
    }
}
