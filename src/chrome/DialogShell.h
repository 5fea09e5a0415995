#pragma once

#include "chrome/ShellFrame.h"

#include <QDialog>

// The dialog shell: the base of every dialog. A frameless dialog with the picture frame of
// ShellFrame and one caption button, close, which ends the dialog as any close does (a modal
// dialog returns QDialog::Rejected from ModalRunner::run).
//
// A dialog derives from it and, in its constructor (the shell's creation step has run by then),
// puts its title and content in place; its opener shows it with ModalRunner::run:
//
//   AboutDialog::AboutDialog(QWidget* parent) : DialogShell(parent) {
//       titleLabel = placeTitleLabel(new QLabel(QStringLiteral("关于")));
//       exitButton = new QPushButton(QStringLiteral("退出"), clientArea);
//       exitButton->setObjectName(QStringLiteral("exitButton"));
//       exitButton->move(520, 380);                // or a layout on clientArea
//       connect(exitButton, &QPushButton::clicked, this, [this] { close(); });
//       resize(640, 480);
//   }
//   ...
//   AboutDialog about(this);
//   ModalRunner::run(about);
//
// A dialog designed smaller than 640 x 480 grows to that size when shown, keeping its top-left
// corner and its controls where they were placed. The frame is the derived dialog's: nothing
// of it is public.
class DialogShell : public QDialog, protected ShellFrame {
    Q_OBJECT
public:
    explicit DialogShell(QWidget* parent = nullptr);
    ~DialogShell() override;

signals:
    // A press on the title bar started moving the dialog.
    void moveStarted(bool systemMove);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void onMinimizeClicked() override;
    void onCloseClicked() override;
    void onWindowMoveStarted(bool systemMove) override;
};
