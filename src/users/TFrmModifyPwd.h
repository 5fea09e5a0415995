#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The logged-in user replaces his own password. "修改" is enabled exactly while the old
// password, read afresh from the store at every change, is typed correctly.
class TFrmModifyPwd : public DialogShell {
    Q_OBJECT
public:
    explicit TFrmModifyPwd(Session& session, QWidget* parent = nullptr);

    void FormCreate();
    // The old-password check; runs on every change of Edit1's text, the program's own too.
    void Edit1Change();
    void BitBtn1Click();
    void BitBtn2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label22 = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    Session& session_;
    Query ADOQuery1;
};
