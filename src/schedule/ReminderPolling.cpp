#include "schedule/ReminderPolling.h"

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "schedule/TimingRules.h"
#include "store/Statements.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>

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

void bringToFront(QWidget* window) {
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

ReminderPolling::ReminderPolling(Session& session, std::function<void()> reloadLists,
                                 SoundPlayer& sound, PopupFactory popupFactory, QObject* parent)
    : QObject(parent), ADOQuery1(session.connectionName), ADOQuery_SR(session.connectionName),
      ADOQuery_YH(session.connectionName), ADOQuery_JNR(session.connectionName), session_(session),
      reloadLists_(std::move(reloadLists)), sound_(sound), popupFactory_(std::move(popupFactory)) {
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
    for (QPointer<QWidget>& popup : popupSlots_)
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

QWidget* ReminderPolling::Popup(ReminderKind kind) const {
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
    query.SetSQL(QString::fromUtf8(Statements::kPollByKind[KindIndex(kind)]));
    query.SetInteger(QString::fromLatin1(kSetup[KindIndex(kind)].parameter),
                     session_.CurrentUserKey);
    query.Open();
    if (query.RecordCount() == 0) {
        repeat->Stop();
        query.Close();
        return;
    }
    const QDateTime now = SystemClock::Now();
    for (query.First(); !query.Eof(); query.Next()) {
        if (!TimingRules::IsDue(query.FieldAsDateTime(QStringLiteral("RebeginTime")), now))
            continue;
        // Another copy may have stored any number; keep the product inside 64 bits.
        const qint64 number = std::clamp<qint64>(
            query.FieldAsInteger(QStringLiteral("ReIntervalNumber")),
            std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        const QString unit = query.FieldAsString(QStringLiteral("ReIntervalType"));
        if (const std::optional<qint64> period = TimingRules::IntervalMilliseconds(number, unit))
            repeat->SetPeriod(*period);
        repeat->Start();
    }
    query.Close();
}

void ReminderPolling::guardedPoll(ReminderKind kind) {
    try {
        poll(kind);
    } catch (const std::exception& error) {
        if (reportingFailure_)
            return;
        reportingFailure_ = true;
        MessageBoxes::DefaultError(QString::fromUtf8(error.what()));
        reportingFailure_ = false;
    }
}

void ReminderPolling::repeatTick(ReminderKind kind) {
    QPointer<QWidget>& slot = popupSlots_[KindIndex(kind)];
    try {
        if (slot) {
            bringToFront(slot);
            return;
        }
        // Only the popup that holds the slot may empty it.
        auto self = std::make_shared<QPointer<QWidget>>();
        PopupContext context{kind, session_, reloadLists_, [this, kind, self] {
                                 QPointer<QWidget>& held = popupSlots_[KindIndex(kind)];
                                 if (held == *self)
                                     held.clear();
                             }};
        QWidget* popup = popupFactory_(context);
        if (!popup)
            return;
        *self = popup;
        slot = popup;
        popup->show();
        PlayWave(SoundFile(kind));
    } catch (...) {
        // A popup that cannot be made now is tried again at the next tick, without a message.
    }
}
