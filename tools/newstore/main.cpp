// Creates a new store for the reminder program, a file or an empty PostgreSQL database:
// the tables, their indexes and the administrator account (on a server also the store's roles
// and checks); or moves an existing store into a new one, or upgrades a store of the previous
// version in place. Refuses to touch an existing store otherwise.
#include "chrome/ErrorTexts.h"
#include "store/NewStore.h"
#include "store/Passwords.h"
#include "store/PostgresServer.h"
#include "store/StoreError.h"
#include "store/StoreUpgrade.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <termios.h>
#include <unistd.h>

namespace {

// One line typed on the terminal without showing it.
std::optional<QString> askHidden(const char* prompt) {
    FILE* terminal = std::fopen("/dev/tty", "r+");
    if (terminal == nullptr)
        return std::nullopt;
    const int fd = fileno(terminal);
    termios saved{};
    const bool canHide = tcgetattr(fd, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(fd, TCSAFLUSH, &hidden);
    }
    std::fputs(prompt, terminal);
    std::fflush(terminal);
    char line[1024];
    const bool read = std::fgets(line, sizeof line, terminal) != nullptr;
    if (canHide)
        tcsetattr(fd, TCSAFLUSH, &saved);
    std::fputs("\n", terminal);
    std::fclose(terminal);
    if (!read)
        return std::nullopt;
    return QString::fromLocal8Bit(line).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
}

// The administrator's password of a new server store: from a file (its first line), or typed
// twice on the terminal; never from the command line, where anyone may read it.
std::optional<QString> adminPassword(const QString& file, QTextStream& err) {
    QString password;
    if (!file.isEmpty()) {
        QFile source(file);
        if (!source.open(QIODevice::ReadOnly)) {
            err << "cannot read " << file << "\n";
            return std::nullopt;
        }
        password = QString::fromUtf8(source.readLine()).remove(QLatin1Char('\n'));
    } else {
        const auto first = askHidden("Password of the administrator account (admin): ");
        const auto second = first ? askHidden("The same again: ") : std::nullopt;
        if (!first || !second) {
            err << "no terminal to ask for the administrator's password: "
                   "use --admin-password-file <file>\n";
            return std::nullopt;
        }
        if (*first != *second) {
            err << "the two passwords differ\n";
            return std::nullopt;
        }
        password = *first;
    }
    if (Passwords::normalised(password).isEmpty() ||
        password.size() > Passwords::kMaximumLength) {
        err << "the administrator's password must have 1 to " << Passwords::kMaximumLength
            << " characters\n";
        return std::nullopt;
    }
    return password;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QString passwordFile;
    if (args.size() >= 2 && args[0] == QLatin1String("--admin-password-file")) {
        passwordFile = args[1];
        args = args.mid(2);
    }
    const bool copy = args.size() == 3 && args[0] == QLatin1String("--copy-from");
    const bool upgrade = args.size() == 2 && args[0] == QLatin1String("--upgrade");
    if (!copy && !upgrade && (args.size() != 1 || args[0].startsWith(QLatin1Char('-')))) {
        err << "usage: qxreminder-newstore [--admin-password-file <file>] <new store>\n"
               "       qxreminder-newstore --copy-from <old store> <new store>\n"
               "       qxreminder-newstore --upgrade <store>\n"
               "A store is the path of a qxreminder.mcm file or a PostgreSQL URI\n"
               "(postgresql://admin@host:5432/qxreminder) naming an empty database; the\n"
               "server's administrator's own password comes from ~/.pgpass or PGPASSWORD.\n";
        return 2;
    }
    const auto shown = [](const QString& location) {
        return PostgresServer::ServerAddress::printable(location);
    };
    if (upgrade) {
        StoreUpgrade::Outcome outcome;
        if (const std::optional<StoreError> error = StoreUpgrade::upgrade(args[1], &outcome)) {
            err << ErrorTexts::of(*error) << "\n";
            return 1;
        }
        if (outcome.upgraded)
            out << "upgraded " << shown(args[1]) << " from version " << outcome.fromVersion
                << " to version " << StoreUpgrade::kCurrentVersion << "\n";
        else
            out << shown(args[1]) << " is at version " << outcome.fromVersion
                << " already; nothing changed\n";
        return 0;
    }
    try {
        if (copy) {
            const NewStore::CopyCounts counts = NewStore::copy(args[1], args[2]);
            out << "copied " << counts.users << " users, " << counts.permissions
                << " permission strings and " << counts.reminders << " reminders from "
                << shown(args[1]) << " to " << shown(args[2]) << "\n";
        } else if (PostgresServer::isUri(args[0])) {
            const auto password = adminPassword(passwordFile, err);
            if (!password)
                return 1;
            NewStore::create(args[0], *password);
            out << "created " << shown(args[0]) << " (login: " << NewStore::kAdminLogName
                << ")\n";
        } else {
            NewStore::create(args[0]);
            out << "created " << args[0] << " (login: " << NewStore::kAdminLogName << " / "
                << NewStore::kAdminDefaultPassword << ")\n";
        }
    } catch (const StoreError& error) {
        err << ErrorTexts::of(error) << "\n";
        return 1;
    }
    return 0;
}
