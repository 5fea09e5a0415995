// Creates a new store file for the reminder program: the three tables, their indexes and
// the administrator account. Refuses to touch an existing file.
#include "store/NewStore.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        err << "usage: qxreminder-newstore <path of the new qxreminder.mcm>\n";
        return 2;
    }
    try {
        NewStore::create(args[1]);
    } catch (const StoreError& error) {
        err << QString::fromUtf8(error.what()) << "\n";
        return 1;
    }
    out << "created " << args[1] << " (login: " << NewStore::kAdminLogName << " / "
        << NewStore::kAdminDefaultPassword << ")\n";
    return 0;
}
