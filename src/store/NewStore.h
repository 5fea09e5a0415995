#pragma once

#include <QString>

// Creating a new, empty store file: the three tables, the indexes the polls and lists need,
// and the administrator account. The store-creation tool calls this, and the program when the
// user asks it to create a store on its first start; the program never repairs a store.
namespace NewStore {

inline const QString kAdminLogName = QStringLiteral("admin");
inline const QString kAdminTrueName = QStringLiteral("系统管理员");
// The administrator's first password: one digit, which the login dialog's hint shows.
inline const QString kAdminDefaultPassword = QStringLiteral("1");

// Creates the file. Throws StoreError when the file exists already (it is never overwritten)
// or cannot be written.
void create(const QString& filePath);

} // namespace NewStore
