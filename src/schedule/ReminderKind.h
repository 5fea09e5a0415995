#pragma once

#include <QtGlobal>
#include <array>

// The kinds of reminder, as the Retype column holds them.
enum class ReminderKind : int { Ordinary = 0, Birthday = 1, Appointment = 2, Anniversary = 3 };

inline constexpr std::array<ReminderKind, 4> kAllReminderKinds = {
    ReminderKind::Ordinary, ReminderKind::Birthday, ReminderKind::Appointment,
    ReminderKind::Anniversary};

// The kind's place in kAllReminderKinds and in every per-kind array; also its Retype value.
inline constexpr int kindIndex(ReminderKind kind) {
    return static_cast<int>(kind);
}

// Everything that sets one kind of reminder apart from the others, in one row per kind: the
// polls, the popups, the entry dialogs and the main window read it and nothing else. A new
// kind is a new ReminderKind value and a row here, its poll and popup-list statements in
// Statements.h and its pictures in tools/assetgen.
//
// The texts are the program's own, in their source language; the windows show them through
// the translator.
struct KindDescription {
    ReminderKind kind;
    // The start of its timers' object names ("ordinary" → ordinaryPollTimer).
    const char* name;

    // Finding its due reminders.
    struct Poll {
        int periodMs;
        // The repeat period until a due reminder names its own.
        qint64 firstRepeatMs;
        // The head of the user's pending reminders of the kind (smallest sort key, ties kept).
        const char* statement;
        // The statement's parameter that takes the user's key.
        const char* userParameter;
        // The file of the sound folder played when its popup comes up.
        const char* sound;
    } poll;

    // Its popup window.
    struct Popup {
        const char* caption;
        // The user's pending reminders of the kind, listed in the popup.
        const char* listStatement;
        // Shown when "我知道了" is pressed with no row ticked.
        const char* nothingTickedNotice;
        // The small picture of its rows and of its caption bar.
        const char* icon;
        const char* picture;
        // A strip above the controls, or a picture filling the window below the list.
        bool pictureOnTop;
        // Large yellow text over the picture; empty for none.
        const char* pictureText;
        // The colour of the content column, 0xRRGGBB.
        unsigned contentColor;
        // The third column names the publisher (looked up by key), or the recipient that the
        // list statement joins in (the user's own name).
        bool publisherInThirdColumn;
        // The fixed postponement chosen when the popup opens, in minutes.
        int presetMinutes;
    } popup;

    // The entry dialog its tool button opens.
    struct Entry {
        const char* objectName;
        const char* title;
        // Large heading on the banner; empty: the picture fills the banner.
        const char* heading;
        const char* bannerPicture;
        const char* placeholder;
        // Shown after each successful write for a ticked recipient.
        const char* successText;
        bool focusMemoOnShow;
        // Its dialog offers "每年重复" (a dated kind), and starts with it ticked.
        bool offersYearlyRepeat;
        bool repeatsYearlyByDefault;
    } entry;

    // Its tool button in the main window, and the position of the right (in the permission
    // string) that enables it.
    struct ToolButton {
        const char* objectName;
        const char* caption;
        const char* picture;
        int rightPosition;
    } toolButton;
};

const KindDescription& describe(ReminderKind kind);
