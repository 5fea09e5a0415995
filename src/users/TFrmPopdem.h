#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"
#include "users/Permissions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>

// Permission settings. Each row of the user list carries two independent marks: the
// selection decides which account the nine boxes show, the ticks decide which accounts a save
// writes. A save writes the boxes as they stand, to the first ticked account whose write
// succeeds; writes the store refused on the way are reported in one error box.
class TFrmPopdem : public DialogShell {
    Q_OBJECT
public:
    explicit TFrmPopdem(Session& session, QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    // Runs whenever the list's selection changes.
    void ListView1SelectItem();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // The nine boxes, position 1 first.
    std::array<QCheckBox*, Permissions::kPositions> Boxes() const;

    // ListView1's hidden column with the account's key.
    static constexpr int kKeyColumn = 1;

    QLabel* Label1 = nullptr;
    QLabel* Label22 = nullptr;
    PictureBox* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    ReportList* ListView1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QPushButton* SpeedButton4 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowGrants(const Permissions::Grants& grants);

    Session& session_;
    Query ADOQuery1;
};
