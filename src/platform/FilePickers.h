#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asking the user for a file. Tests install a picker that answers instead of a real file dialog.
namespace FilePickers {

enum class Purpose { OpenExisting, SaveNew };

struct Request {
    Purpose purpose = Purpose::OpenExisting;
    QString caption;
    QString suggestedPath; // the folder to start in, and for a new file its name
    QString filter;        // "数据文件 (*.mcm);;所有文件 (*)"
};

using Picker = std::function<QString(const Request&)>;

// The absolute path the user chose; empty when he cancelled.
QString pick(QWidget* parent, const Request& request);
// An empty picker restores the real file dialog.
void install(Picker picker);
Picker installed();

} // namespace FilePickers
