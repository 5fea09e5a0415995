#pragma once

#include "entry/ReminderEntryDialog.h"

// The three dated kinds of reminder. Each starts at the moment picked in the dialog, carries
// its kind in Retype, and goes to the current user alone when nobody is ticked.
enum class DatedKind { Birthday = 1, Appointment = 2, Anniversary = 3 };

// What one dated dialog has of its own; everything else the three share.
struct DatedMember {
    DatedKind kind;
    const char* objectName;
    const char* title;
    const char* placeholder;
    const char* successText;
    const char* bannerPicture;
    bool focusMemoOnShow;
};

// The shared window of BirthdayReminderDialog, AppointmentReminderDialog and
// AnniversaryReminderDialog.
class DatedReminderDialog : public ReminderEntryDialog {
    Q_OBJECT
public:
    // The member table row of a kind.
    static const DatedMember& memberFor(DatedKind kind);
    static EntryDesign makeDesign(DatedKind kind);

    DatedKind kind() const { return kind_; }

protected:
    DatedReminderDialog(Session& session, std::function<void()> reload, DatedKind kind,
                        QWidget* parent);

private:
    DatedKind kind_;
};
