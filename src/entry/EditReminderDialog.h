#pragma once

#include "entry/ReminderEntryDialog.h"

// The edit-reminder dialog: rewrites one pending reminder the current user published (its
// content, start, interval and recipient). It has no show handler of its own; its opener fills
// it from the selected row of the published list.
//
// The main window's "编辑提醒" handler, after its own check that a row is selected:
//
//   EditReminderDialog::editPublished(session, [this] { reloadLists(); },
//                                     publishedList->text(row, ReportList::Column::Key),
//                                     publishedList->text(row, ReportList::Column::Content),
//                                     this);
//
// A failing select while filling leaves editPublished() with the store's error (call it inside
// the handler guard); the dialog is then never shown. editPublished() is all that is public:
// the dialog exists only while it runs.
class EditReminderDialog : public ReminderEntryDialog {
    Q_OBJECT
public:
    // Creates the dialog, fills it (fill()) and shows it modally through ModalRunner.
    static void editPublished(Session& session, std::function<void()> reload,
                              const QString& keyText, const QString& listedContent,
                              QWidget* parent = nullptr);

private:
    EditReminderDialog(Session& session, std::function<void()> reload, QWidget* parent);

    // Fills a new dialog from a row of the published list: `keyText` is the row's key,
    // `listedContent` its content. The memo takes the listed content; start, interval and key
    // come from the stored reminder if it is still pending and the current user's; the
    // recipient list holds every user, with the reminder's recipient ticked by name.
    void fill(const QString& keyText, const QString& listedContent);

    static EntryDesign makeDesign();
};
