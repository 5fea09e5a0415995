#pragma once

#include "chrome/TShellFrame.h"

#include <QDialog>

// The dialog shell: the base of every dialog. A frameless dialog with the picture frame of
// TShellFrame and one caption button, close, which ends the dialog as any close does (a modal
// dialog returns QDialog::Rejected from ModalRunner::run).
//
// A dialog derives from it and, in its constructor (the shell's creation step has run by then),
// puts its title and content in place; its opener shows it with ModalRunner::run:
//
//   TFrmAbout::TFrmAbout(QWidget* parent) : TFrmMidShell(parent) {
//       Label1 = PlaceTitleLabel(new QLabel(QStringLiteral("关于")));
//       Button1 = new QPushButton(QStringLiteral("退出"), panClient);
//       Button1->setObjectName(QStringLiteral("Button1"));
//       Button1->move(520, 380);                   // or a layout on panClient
//       connect(Button1, &QPushButton::clicked, this, [this] { close(); });
//       resize(640, 480);
//   }
//   ...
//   TFrmAbout about(this);
//   ModalRunner::run(about);
//
// A dialog designed smaller than 640 x 480 grows to that size when shown, keeping its top-left
// corner and its controls where they were placed.
class TFrmMidShell : public QDialog, protected TShellFrame {
    Q_OBJECT
public:
    explicit TFrmMidShell(QWidget* parent = nullptr);
    ~TFrmMidShell() override;

    using TShellFrame::ApplyRoundRegion;
    void CaptionButtonClick(TSkinButton* button) override;

signals:
    // A press on the title bar started moving the dialog.
    void MoveStarted(bool systemMove);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void WindowMoveStarted(bool systemMove) override;
};
