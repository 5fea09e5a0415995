#pragma once

#include "schedule/ReminderKind.h"

#include <QString>

// The entry dialogs are one window: a banner, a settings row (start and interval), the
// recipient list beside the content memo, and a button row, with one save routine. What sets
// one dialog apart from another is held in these two records, so that each dialog is a row of
// data rather than a copy of the others.

// How a save goes.
struct SavePlan {
    // Shown when nobody is ticked. Empty: the reminder then goes to the current user alone,
    // without a question, announced with selfSuccessText.
    QString noRecipientMessage;
    // Raise a number of seconds below five to five before anything else is asked.
    bool secondsMinimum = true;
    // Asked before the ticked recipients are written.
    QString question;
    // Shown when the question is answered No; empty: nothing is shown.
    QString declinedMessage;
    // Rewrite the one reminder whose key keyEdit holds, instead of inserting new ones.
    bool updateExisting = false;
    // The kind of reminder written (its Retype).
    ReminderKind kind = ReminderKind::Ordinary;
    // Shown after each successful write for a ticked recipient.
    QString successText;
    // Shown after the reminder to oneself was written.
    QString selfSuccessText;
    // Put the placeholder back into the memo once every write of a save has succeeded.
    bool resetMemo = true;
};

// Which start the user may give.
enum class StartChoice {
    NowOrPicked, // "现在" or "自由设置" with the two pickers
    NowOnly,     // "现在" alone, no pickers
    PickedOnly,  // "自由设置" alone, pickers always enabled
};

// Where the dialog's recipientsLabel stands.
enum class RecipientsLabelPlace {
    AboveList,   // caption of the recipient list
    SettingsRow, // at the end of the settings row
    ButtonRow,   // red note in the button row
};

struct EntryDesign {
    QString objectName;
    QString title; // titleLabel, in the title bar
    // Large heading on the white banner, with the picture at its right end. Empty: the
    // picture fills the banner and there is no heading.
    QString heading;
    QString bannerPicture;
    StartChoice start = StartChoice::NowOrPicked;
    QString intervalCaption = QStringLiteral("开始提醒    间隔"); // intervalLabel
    // The recipient list is shown (otherwise it is kept hidden and every row is ticked).
    bool listVisible = true;
    bool rowIcons = true;
    // Caption of the clear-all button; empty: no select-all / clear-all buttons.
    QString clearAllCaption = QStringLiteral("全不选");
    QString recipientsLabelText = QStringLiteral("提醒人员");
    RecipientsLabelPlace recipientsLabelPlace = RecipientsLabelPlace::AboveList;
    // A red note in the settings row (noteLabel); empty: none.
    QString noteText;
    QString placeholder = QStringLiteral("请输入提醒内容...");
    // The dialog loads its recipient list when shown (otherwise its opener does).
    bool loadOnShow = true;
    bool focusMemoOnShow = true;
    // The row "每年重复" with "按公历" / "按农历" (repeatCheckBox ...), and whether it starts
    // ticked.
    bool repeatChoice = false;
    bool repeatByDefault = false;
    SavePlan save;
};
