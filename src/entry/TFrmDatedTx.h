#pragma once

#include "entry/TFrmEntry.h"

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

// The shared window of TFrmSRTX, TFrmYhTx and TFrmJnrTx.
class TFrmDatedTx : public TFrmEntry {
    Q_OBJECT
public:
    // The member table row of a kind.
    static const DatedMember& Member(DatedKind kind);
    static EntryDesign MakeDesign(DatedKind kind);

    DatedKind Kind() const { return kind_; }

protected:
    TFrmDatedTx(Session& session, std::function<void()> reloadLists, DatedKind kind,
                QWidget* parent);

private:
    DatedKind kind_;
};
