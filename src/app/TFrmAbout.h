#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"

#include <QLabel>
#include <QPushButton>

// The about box: the program's name and version, its supplier, and a link to the
// supplier's web page.
class TFrmAbout : public DialogShell {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget* parent = nullptr);

    void Label2Click();
    void Button1Click();

    static QString AboutText();

    QLabel* Label1 = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
