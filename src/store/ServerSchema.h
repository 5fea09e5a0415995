#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

// What makes a server store safe whatever client connects: the roles, the functions that
// create and drop the accounts' roles, the triggers and the row-level policies. The tables and
// everything here belong to the store's owner role, which cannot log in; every account is a
// login role of its own, a member of the store's member group (administrators also of its
// admin group), and the server checks each statement against the account's rights string.
//
// The groups are named with a colon ("qxreminder:owner"), the accounts with a dot
// ("qxreminder.admin"), so that no login name can ever make an account's role one of the
// groups.
namespace ServerSchema {

struct Groups {
    QString owner;
    QString member;
    QString admin;
};
Groups groupsOf(const QString& database);

// An identifier in double quotes, inner quotes doubled.
QString quoted(const QString& identifier);
// A text literal in single quotes, inner quotes doubled.
QString literal(const QString& text);

// Run by the store's maker (a superuser, or a role that may create roles and owns the
// database): the owner role, of which the maker becomes a member.
QStringList owner(const QString& database);
// The maker acts as the owner from here on, and the owner makes the groups, so that it may
// grant them.
QStringList actAsOwner(const QString& database);
// The table a server store has beyond the file's: the change counters of each person.
QStringList serverTables();
// Once the tables hold their rows, as the owner: every plain password becomes its verifier,
// the checks (security()) are made, every account gets its login role, the change counters
// start, and the maker is himself again (handBack()). Throws StoreError.
void secure(const QSqlDatabase& db, const QString& database);
// After the tables hold their rows: functions, triggers, policies and grants, run as the owner.
QStringList security(const QString& database);
// The maker's last statements: back to himself, without the owner's role.
QStringList handBack(const QString& database);

// Makes the login role of an account (run as the owner).
QString createAccountRole(const QString& loginName, const QString& verifier, bool administrator);
// Fills the change counters of a store whose rows were copied in before the triggers existed.
QString startChangeCounters();

} // namespace ServerSchema
