#pragma once

#include <QString>

// The four kinds of reminder, as the Retype column holds them.
enum class ReminderKind : int { Ordinary = 0, Birthday = 1, Appointment = 2, Anniversary = 3 };

inline constexpr ReminderKind kAllReminderKinds[] = {ReminderKind::Ordinary, ReminderKind::Birthday,
                                                     ReminderKind::Appointment,
                                                     ReminderKind::Anniversary};

inline int kindIndex(ReminderKind kind) {
    return static_cast<int>(kind);
}

// The Retype value of a stored row; values outside 0..3 count as ordinary.
inline ReminderKind kindOfRetype(qint64 retype) {
    return retype >= 1 && retype <= 3 ? static_cast<ReminderKind>(retype) : ReminderKind::Ordinary;
}
