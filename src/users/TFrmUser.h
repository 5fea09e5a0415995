#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// User maintenance: accounts are created, looked at and deleted here, never edited. The
// dialog is either browsing ("添加" enabled, edits read-only, "删除" while a row is selected)
// or adding ("撤销" and "保存" enabled, edits writable).
class TFrmUser : public DialogShell {
    Q_OBJECT
public:
    explicit TFrmUser(Session& session, QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void btn_addClick();
    void btn_editClick();
    void btn_saveClick();
    void btn_delClick();
    void btn_exitClick();
    // Runs whenever the list's selection changes: shows the selected account, or goes back to
    // browsing when no row is selected any more.
    void ListView1SelectItem();

    // ListView1's hidden column with the account's key.
    static constexpr int kKeyColumn = 4;

    QLabel* Label1 = nullptr;
    QLabel* Label22 = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* btn_add = nullptr;
    QPushButton* btn_edit = nullptr;
    QPushButton* btn_del = nullptr;
    QPushButton* btn_save = nullptr;
    QPushButton* btn_exit = nullptr;
    QLabel* Label6 = nullptr;
    ReportList* ListView1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadList();
    void SetEditsReadOnly(bool readOnly);
    void ClearEdits();

    Session& session_;
    Query ADOQuery1;
};
