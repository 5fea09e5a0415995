#pragma once

#include "platform/ReportList.h"
#include "schedule/ReminderKind.h"

#include <QColor>
#include <QString>
#include <vector>

// What tells the four popups apart; everything else they share.
struct PopupStyle {
    ReminderKind kind;
    QString caption;
    // The list of the user's pending reminders of this kind.
    const char* listStatement;
    std::vector<ReportList::Column> columns;
    QColor contentColor;
    // The third column: the publisher's name looked up by key, or the recipient's name that
    // the list statement joins in (the user's own name).
    bool thirdColumnIsPublisher;
    // The fixed postponement selected when the popup opens, in minutes.
    int presetMinutes;
    // Shown when "我知道了" is pressed with no row ticked.
    QString nothingTickedNotice;
    // A picture strip above the controls, or a picture filling the window below the list.
    bool pictureOnTop;
    QString pictureName;
    QString pictureControlName;
    // Large yellow text over the picture, or empty.
    QString pictureText;
    // Name of the row that holds the custom postponement controls.
    QString customRowName;
};

const PopupStyle& popupStyleOf(ReminderKind kind);
// The small list icon of a kind.
QString kindIconName(ReminderKind kind);
