#pragma once

#include "chrome/DialogShell.h"
#include "entry/EntryDesign.h"
#include "platform/ReportList.h"
#include "schedule/YearlyRepeat.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSplitter>
#include <QStringList>
#include <QTimeEdit>
#include <functional>
#include <optional>

class PictureBox;

// The window every reminder entry dialog is: add, quick publish, edit, and the birthday,
// appointment and anniversary dialogs. It builds the controls its EntryDesign asks for, holds
// the recipient list with loadRecipientList, and saves by the design's SavePlan: one write per
// ticked recipient (or one to oneself), each announced, followed by the owner's list reload.
// Writes the store refuses are reported together in one error box at the end of the save, and
// the dialog then keeps everything the user entered; a retry of the unchanged reminder writes
// only the recipients that do not have it yet.
//
// The dated kinds' dialogs and the edit dialog have a row "每年重复" (repeatCheckBox) with
// "按公历" / "按农历" (solarRepeatButton, lunarRepeatButton) and the lunar date of the picked
// day (lunarDateLabel). A repeating reminder stores its anchor; a picked date before today is
// its origin (a birth, a wedding), and the stored start is then its next occurrence. On a
// store of the previous version the row is disabled, and its tooltip names the upgrade.
//
// Controls the design leaves out are never made: startNowButton without "现在",
// startPickedButton and the pickers without "自由设置", selectAllButton and clearAllButton
// without select buttons, keyEdit outside the edit dialog, headingLabel and bannerEndPicture on
// a picture-only banner, bannerFillPicture otherwise, noteLabel and splitter in the quick
// dialog's absence of them. Every control's object name is its member's name.
//
// Nothing of it is public beyond a dialog: its opener creates a design (AddReminderDialog,
// QuickPublishDialog, EditReminderDialog, DatedReminderDialog) and runs it; the user does the
// rest through the controls.
class ReminderEntryDialog : public DialogShell {
    Q_OBJECT
public:
    ~ReminderEntryDialog() override;

protected:
    ReminderEntryDialog(Session& session, std::function<void()> reload, EntryDesign design,
                        QWidget* parent);

    void showEvent(QShowEvent* event) override;

    // Lists every user, in the order the store returns them: the display name and the hidden
    // key, each row clear (ticked in a dialog whose list stays hidden).
    void loadRecipientList();

    // Whether the store can keep a yearly repetition.
    bool repeatAvailable() const { return repeatAvailable_; }
    // Shows the repetition row (for a dated reminder) or hides it, and sets it to `anchor`:
    // ticked, its calendar chosen and the pickers on its origin; unticked for none.
    void showRepetition(bool shown, const std::optional<YearlyRepeat::YearlyAnchor>& anchor);
    // The kind a save writes (the edit dialog keeps the kind of the row it edits).
    ReminderKind writtenKind_ = ReminderKind::Ordinary;

    Session& session_;
    Query entryQuery_;

    QLabel* titleLabel = nullptr;
    QWidget* banner = nullptr; // white
    QLabel* headingLabel = nullptr;
    PictureBox* bannerEndPicture = nullptr;  // picture at the banner's right end
    PictureBox* bannerFillPicture = nullptr; // picture filling the banner
    QLabel* settingsLabel = nullptr;
    QRadioButton* startNowButton = nullptr;
    QRadioButton* startPickedButton = nullptr;
    QDateEdit* startDateEdit = nullptr;
    QTimeEdit* startTimeEdit = nullptr;
    QLabel* intervalLabel = nullptr;
    QLineEdit* intervalEdit = nullptr;
    QComboBox* intervalUnitCombo = nullptr;
    QLabel* perTimeLabel = nullptr;
    QCheckBox* repeatCheckBox = nullptr;
    QRadioButton* solarRepeatButton = nullptr;
    QRadioButton* lunarRepeatButton = nullptr;
    QLabel* lunarDateLabel = nullptr;
    QWidget* repeatRow = nullptr; // holds the four above
    QLabel* recipientsLabel = nullptr;
    QLabel* noteLabel = nullptr;
    QSplitter* splitter = nullptr;
    ReportList* recipientList = nullptr;
    QPushButton* selectAllButton = nullptr;
    QPushButton* clearAllButton = nullptr;
    QGroupBox* contentGroup = nullptr;
    QPlainTextEdit* contentEdit = nullptr;
    QLineEdit* keyEdit = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* exitButton = nullptr;

private:
    // Event handlers.
    void onShown();
    void onStartNowToggled();
    void onStartPickedToggled();
    void tickAllRecipients();
    void clearAllRecipients();
    void onContentChanged();
    void onRepeatChanged();
    void save();
    void onExitClicked();

    void buildControls();
    QWidget* buildBanner();
    QLayout* buildSettingsRow();
    QLayout* buildRepeatRow();
    QWidget* buildMiddle();
    QLayout* buildButtonRow();
    void applyDefaults();
    void updatePickers();
    // What every write of one save shares, read from the controls before the first write.
    struct ReminderValues {
        QString content;
        QString unit;
        std::optional<qint64> totalTime;
        // A repeating reminder's anchor text and the start it is stored with.
        std::optional<QString> repeat;
        QDateTime repeatingStart;
    };
    // The repetition the controls ask for, or none; throws nothing, tells the user when the
    // picked date cannot repeat by the lunar calendar. False: the save stops.
    bool chosenRepetition(ReminderValues& values);
    // One write of the reminder as the controls hold it; the recipient is bound by
    // `bindRecipient`. Throws when the store refuses it.
    void writeReminder(const std::function<void(Query&)>& bindRecipient,
                       const ReminderValues& values);
    // After a successful write: its success box and the owner's list reload.
    void announceWritten(const QString& successText);
    // Whatever the user changes in the reminder makes it a new one, for every ticked recipient.
    void forgetSavedRecipients();

    EntryDesign design_;
    std::function<void()> reloadLists_;
    bool repeatAvailable_ = false;
    // Keys of the recipients that already have the reminder as it stands, kept after a save in
    // which some writes were refused, so that a retry does not write them twice.
    QSet<QString> savedRecipients_;
};
