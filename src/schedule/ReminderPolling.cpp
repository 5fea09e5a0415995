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
    {"Timer_reminder", 4000, "Timer_Normal", 5000, "p", "reminder.wav"},
    {"Timer_Checksr", 25000, "Timer_SR", 8000, "p", "reminder.wav"},
    {"Timer_Checkyh", 7000, "Timer_YH", 5000, "p", "SOUND560.WAV"},
    {"Timer_CheckJNR", 6000, "Timer_JNR", 5000, "p1", "Trumpet1.wav"},
};

} // namespace

ReminderPolling::ReminderPolling(Session& session, std::function<void()> reloadLists,
                                 SoundPlayer& sound, PopupFactory popupFactory, QObject* parent)
    : QObject(parent), ADOQuery1(session.connectionName), ADOQuery_SR(session.connectionName),
      ADOQuery_YH(session.connectionName), ADOQuery_JNR(session.connectionName), session_(session),
      reloadLists_(std::move(reloadLists)), sound_(sound), popupFactory_(std::move(popupFactory)),
      watch_(session.connectionName) {
    for (ReminderKind kind : kAllReminderKinds) {
        const KindSetup& setup = kSetup[KindIndex(kind)];
        auto* pollTimer = new QTimer(this);
        pollTimer->setObjectName(QString::fromLatin1(setup.pollTimer));
        pollTimer->setInterval(setup.pollMs);
        connect(pollTimer, &QTimer::timeout, this, [this, kind] { guardedPoll(kind); });
        pollTimers_[KindIndex(kind)] = pollTimer;

        auto* repeatTimer = new RepeatTimer(setup.initialRepeatMs, this);
        repeatTimer->setObjectName(QString::fromLatin1(setup.repeatTimer));
        connect(repeatTimer, &RepeatTimer::Fired, this, [this, kind] { repeatTick(kind); });
        repeatTimers_[KindIndex(kind)] = repeatTimer;
    }
    Timer_reminder = pollTimers_[0];
    Timer_Checksr = pollTimers_[1];
    Timer_Checkyh = pollTimers_[2];
    Timer_CheckJNR = pollTimers_[3];
    Timer_Normal = repeatTimers_[0];
    Timer_SR = repeatTimers_[1];
    Timer_YH = repeatTimers_[2];
    Timer_JNR = repeatTimers_[3];
    for (QTimer* pollTimer : pollTimers_)
        pollTimer->start();
}

ReminderPolling::~ReminderPolling() {
    // A popup works on this copy's session and calls back into its main window; it must not
    // outlive them.
    for (QPointer<ReminderWindow>& popup : popupSlots_)
        delete popup.data();
}

void ReminderPolling::Timer_reminderTimer() {
    poll(ReminderKind::Ordinary);
}
void ReminderPolling::Timer_ChecksrTimer() {
    poll(ReminderKind::Birthday);
}
void ReminderPolling::Timer_CheckyhTimer() {
    poll(ReminderKind::Appointment);
}
void ReminderPolling::Timer_CheckJNRTimer() {
    poll(ReminderKind::Anniversary);
}
void ReminderPolling::Timer_NormalTimer() {
    repeatTick(ReminderKind::Ordinary);
}
void ReminderPolling::Timer_SRTimer() {
    repeatTick(ReminderKind::Birthday);
}
void ReminderPolling::Timer_YHTimer() {
    repeatTick(ReminderKind::Appointment);
}
void ReminderPolling::Timer_JNRTimer() {
    repeatTick(ReminderKind::Anniversary);
}

QString ReminderPolling::SoundFile(ReminderKind kind) {
    return QString::fromLatin1(kSetup[KindIndex(kind)].sound);
}

ReminderWindow* ReminderPolling::Popup(ReminderKind kind) const {
    return popupSlots_[KindIndex(kind)].data();
}

void ReminderPolling::PlayWave(const QString& fileName) {
    sound_.Play(fileName);
}

Query& ReminderPolling::queryOf(ReminderKind kind) {
    switch (kind) {
    case ReminderKind::Birthday:
        return ADOQuery_SR;
    case ReminderKind::Appointment:
        return ADOQuery_YH;
    case ReminderKind::Anniversary:
        return ADOQuery_JNR;
    case ReminderKind::Ordinary:
        break;
    }
    return ADOQuery1;
}

void ReminderPolling::poll(ReminderKind kind) {
    Query& query = queryOf(kind);
    RepeatTimer* repeat = RepeatTimerOf(kind);
    query.setStatement(QString::fromUtf8(Statements::kPollByKind[KindIndex(kind)]));
    query.bindInteger(QString::fromLatin1(kSetup[KindIndex(kind)].parameter),
                      session_.currentUserKey);
    query.open();
    if (query.recordCount() == 0) {
        repeat->Stop();
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
        if (!TimingRules::IsDue(query.fieldAsDateTime(QStringLiteral("RebeginTime")), now))
            continue;
        anyDue = true;
        // Another copy may have stored any number; keep the product inside 64 bits.
        const qint64 number = std::clamp<qint64>(
            query.fieldAsInteger(QStringLiteral("ReIntervalNumber")),
            std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        period = TimingRules::IntervalMilliseconds(
            number, query.fieldAsString(QStringLiteral("ReIntervalType")));
    }
    query.close();
    if (!anyDue)
        return;
    if (period)
        repeat->SetPeriod(*period);
    repeat->Start();
}

void ReminderPolling::guardedPoll(ReminderKind kind) {
    if (!watch_.run([this, kind] { poll(kind); }))
        return;
    bool& owed = popupOwed_[KindIndex(kind)];
    if (owed && RepeatTimerOf(kind)->Enabled()) {
        owed = false;
        repeatTick(kind);
    }
}

void ReminderPolling::refreshOpenPopup(ReminderWindow* popup) {
    QPointer<ReminderWindow> guard(popup);
    bool anyLeft = true;
    // A store that cannot be read now leaves the list as it was.
    watch_.run([&] { anyLeft = popup->ReloadReminders(); });
    if (!guard)
        return;
    if (!anyLeft) {
        // Everything it listed was handled elsewhere: nothing is left to remind of.
        popup->close();
        return;
    }
    popup->Present();
}

void ReminderPolling::repeatTick(ReminderKind kind) {
    QPointer<ReminderWindow>& slot = popupSlots_[KindIndex(kind)];
    if (slot) {
        refreshOpenPopup(slot);
        return;
    }
    try {
        // Only the popup that holds the slot may empty it.
        auto self = std::make_shared<QPointer<ReminderWindow>>();
        PopupContext context{kind, session_, reloadLists_, [this, kind, self] {
                                 QPointer<ReminderWindow>& held = popupSlots_[KindIndex(kind)];
                                 if (held == *self)
                                     held.clear();
                             }};
        ReminderWindow* popup = nullptr;
        {
            Connection::NoWait noWait(session_.connectionName);
            popup = popupFactory_(context);
        }
        popupOwed_[KindIndex(kind)] = false;
        // Nothing pending: no empty window, and no sound.
        if (!popup)
            return;
        *self = popup;
        slot = popup;
        popup->Present();
        PlayWave(SoundFile(kind));
    } catch (...) {
        // A popup that cannot be made now (the store busy or failing) is tried again at the
        // next good poll, without a message: the poll tells of a store that stays bad.
        popupOwed_[KindIndex(kind)] = true;
    }
}
