#pragma once

#include "chrome/DialogShell.h"
#include "entry/EntryDesign.h"
#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"

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
// the recipient list with LoadRecipientList, and saves by the design's SavePlan: one write per
// ticked recipient (or one to oneself), each announced, followed by the owner's list reload.
// Writes the store refuses are reported together in one error box at the end of the save, and
// the dialog then keeps everything the user entered; a retry of the unchanged reminder writes
// only the recipients that do not have it yet.
//
// Controls the design leaves out stay null: RadioButton2 without "现在", RadioButton3 and the
// pickers without "自由设置", SpeedButton1/2 without select buttons, Edit2 outside the edit
// dialog, Label22 and Image1 on a picture-only banner, Image2 otherwise, Label6 and Splitter1
// in the quick dialog's absence of them.
class TFrmEntry : public DialogShell {
    Q_OBJECT
public:
    ~TFrmEntry() override;

    // Event handlers, public so that tests can drive them as the controls would.
    void FormShow();
    void RadioButton2Click();
    void RadioButton3Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Memo1Change();
    void BitBtn1Click();
    void BitBtn2Click();

    // Lists every user, in the order the store returns them: the display name as caption, the
    // key as hidden sub-item, each row clear (ticked in a dialog whose list stays hidden).
    void LoadRecipientList();

    const EntryDesign& Design() const { return design_; }

    QLabel* Label1 = nullptr;
    QWidget* Panel1 = nullptr; // the white banner
    QLabel* Label22 = nullptr;
    PictureBox* Image1 = nullptr; // picture at the banner's right end
    PictureBox* Image2 = nullptr; // picture filling the banner
    QLabel* Label5 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QTimeEdit* DateTimePicker2 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QSplitter* Splitter1 = nullptr;
    ReportList* ListView1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    TFrmEntry(Session& session, std::function<void()> reloadLists, EntryDesign design,
              QWidget* parent);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Session& session_;
    Query ADOQuery1;

private:
    void buildControls();
    QWidget* buildBanner();
    QLayout* buildSettingsRow();
    QWidget* buildMiddle();
    QLayout* buildButtonRow();
    void FormCreate();
    void updatePickers();
    // Drops from the interval number whatever the key filter would have swallowed, when the
    // text arrives by pasting or dropping.
    void Edit1Edited(const QString& text);
    // What every write of one save shares, read from the controls before the first write.
    struct ReminderValues {
        QString content;
        QString unit;
        std::optional<qint64> totalTime;
    };
    // How the writes of one save went, for the box that reports the refused ones.
    struct SaveTally {
        int saved = 0;
        int failed = 0;
        QStringList reasons; // the engine's messages, each once
    };
    // One write of the reminder as the controls hold it; the recipient is bound by
    // `bindRecipient`. A refused write is counted in `tally` with its reason; false then.
    bool writeReminder(const std::function<void(Query&)>& bindRecipient,
                       const ReminderValues& values, SaveTally& tally);
    // After a successful write: its success box and the owner's list reload.
    void announceWritten(const QString& successText, SaveTally& tally);
    // Whatever the user changes in the reminder makes it a new one, for every ticked recipient.
    void forgetSavedRecipients();

    EntryDesign design_;
    std::function<void()> reloadLists_;
    // Keys of the recipients that already have the reminder as it stands, kept after a save in
    // which some writes were refused, so that a retry does not write them twice.
    QSet<QString> savedRecipients_;
};

// The key filter of the interval number: backspace, "." and the digits pass, every other
// typed character is swallowed. Control characters other than backspace (shortcuts such as
// copy and paste) are not typed characters and pass.
bool IntervalKeyPasses(QChar typed);
