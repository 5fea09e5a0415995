#include "platform/FilePickers.h"

#include <QFileDialog>

namespace {
FilePickers::Picker& activePicker() {
    static FilePickers::Picker picker;
    return picker;
}
} // namespace

QString FilePickers::pick(QWidget* parent, const Request& request) {
    if (activePicker())
        return activePicker()(request);
    QFileDialog dialog(parent, request.caption);
    // Qt's own dialog looks and behaves alike on every desktop, with or without a portal, and
    // takes a typed path as readily as a click.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(request.filter);
    dialog.selectFile(request.suggestedPath);
    if (request.purpose == Purpose::SaveNew) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Whoever creates the file refuses an existing one and says so.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FilePickers::install(Picker picker) {
    activePicker() = std::move(picker);
}

FilePickers::Picker FilePickers::installed() {
    return activePicker();
}
