// Creates a new store for the reminder program, a file or an empty PostgreSQL database:
// the three tables, their indexes and the administrator account; or moves an existing
// store into a new one, or upgrades a store of the previous version in place. Refuses to
// touch an existing store otherwise.
#include "chrome/ErrorTexts.h"
#include "store/NewStore.h"
#include "store/StoreError.h"
#include "store/StoreUpgrade.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    const bool copy = args.size() == 4 && args[1] == QLatin1String("--copy-from");
    const bool upgrade = args.size() == 3 && args[1] == QLatin1String("--upgrade");
    if (!copy && !upgrade && (args.size() != 2 || args[1].startsWith(QLatin1Char('-')))) {
        err << "usage: qxreminder-newstore <new store>\n"
               "       qxreminder-newstore --copy-from <old store> <new store>\n"
               "       qxreminder-newstore --upgrade <store>\n"
               "A store is the path of a qxreminder.mcm file or a PostgreSQL URI\n"
               "(postgresql://user@host:5432/qxreminder) naming an empty database.\n";
        return 2;
    }
    if (upgrade) {
        StoreUpgrade::Outcome outcome;
        if (const std::optional<StoreError> error = StoreUpgrade::upgrade(args[2], &outcome)) {
            err << ErrorTexts::of(*error) << "\n";
            return 1;
        }
        if (outcome.upgraded)
            out << "upgraded " << args[2] << " from version " << outcome.fromVersion
                << " to version " << StoreUpgrade::kCurrentVersion << "\n";
        else
            out << args[2] << " is at version " << outcome.fromVersion
                << " already; nothing changed\n";
        return 0;
    }
    try {
        if (copy) {
            const NewStore::CopyCounts counts = NewStore::copy(args[2], args[3]);
            out << "copied " << counts.users << " users, " << counts.permissions
                << " permission strings and " << counts.reminders << " reminders from " << args[2]
                << " to " << args[3] << "\n";
        } else {
            NewStore::create(args[1]);
            out << "created " << args[1] << " (login: " << NewStore::kAdminLogName << " / "
                << NewStore::kAdminDefaultPassword << ")\n";
        }
    } catch (const StoreError& error) {
        err << ErrorTexts::of(error) << "\n";
        return 1;
    }
    return 0;
}
