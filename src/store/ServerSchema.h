#pragma once

#include <QString>
#include <QStringList>

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
// database) before the tables: the owner role, which the maker then acts as, and the groups,
// made by the owner so that it may grant them.
QStringList ownerAndGroups(const QString& database);
// The tables a server store has beyond the file's: the stored format's version and the change
// counters of each person.
QStringList serverTables();
// After the tables hold their rows: functions, triggers, policies and grants, run as the owner.
QStringList security(const QString& database);
// The maker's last statements: back to himself, without the owner's role.
QStringList handBack(const QString& database);

// Makes the login role of an account (run as the owner).
QString createAccountRole(const QString& loginName, const QString& verifier, bool administrator);
// Fills the change counters of a store whose rows were copied in before the triggers existed.
QString startChangeCounters();

} // namespace ServerSchema
