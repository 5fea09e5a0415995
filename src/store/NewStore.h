#pragma once

#include <QString>

// Creating a new store, empty or from an existing one: the three tables, the indexes the
// polls and lists need, and the administrator account. The store is a file, or an empty
// PostgreSQL database named by a connection URI. The store-creation tool calls this, and the
// program when the user asks it to create a store file on its first start; the program never
// repairs a store.
namespace NewStore {

inline const QString kAdminLogName = QStringLiteral("admin");
inline const QString kAdminTrueName = QStringLiteral("系统管理员");
// The administrator's first password: one digit, which the login dialog's hint shows.
inline const QString kAdminDefaultPassword = QStringLiteral("1");

// Creates the store with the administrator account. Throws StoreError when the file
// exists already or the database holds the tables already (nothing is ever overwritten),
// or when the store cannot be written; nothing is left behind then.
// The administrator's password is stored as its verifier; on a server it is the password of
// the administrator's role.
void create(const QString& location, const QString& adminPassword = kAdminDefaultPassword);

struct CopyCounts {
    int users = 0;
    int reminders = 0;
    int permissions = 0;
};

// Creates the store at `target` holding every account, permission string and reminder of
// the store at `source`, each with its key. New keys continue past the source's own, so
// that no key the source ever gave, deleted rows included, is given again: the rows a
// deleted account left behind never pass to a new one. Refuses a target as create() does;
// throws StoreError, with nothing left at the target, when a row cannot be copied.
CopyCounts copy(const QString& source, const QString& target);

} // namespace NewStore
