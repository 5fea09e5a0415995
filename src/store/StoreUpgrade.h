#pragma once

#include "store/Engine.h"
#include "store/StoreError.h"

#include <QString>
#include <optional>

class QSqlDatabase;

// The stored format's versions, and the one upgrade from the previous version. Version 1 is
// the three tables; version 2 adds a table tbl_version (one row, Version 2) and a nullable
// text column ReRepeat on tbl_reminder holding a reminder's yearly repetition (its anchor,
// YearlyRepeat's text; empty or NULL: none). Both are additive: a copy of the previous version
// keeps working on an upgraded store, ignoring the column.
//
// The program never alters a store: new stores are created at the current version
// (NewStore), and an older one is upgraded by "qxreminder-newstore --upgrade <store>".
// A store of the previous version keeps working, without yearly repetition.
namespace StoreUpgrade {

inline constexpr int kCurrentVersion = 2;
// What a user runs to upgrade a store; the windows name it where repetition is missing.
inline const QString kUpgradeCommand = QStringLiteral("qxreminder-newstore --upgrade");

// The version of the store open under a connection name: 1 when it has no tbl_version.
// Throws StoreError when the store cannot be read.
int version(const QString& connectionName);
// The same on a connection of the store layer's own (the store tool's).
int versionOn(const QSqlDatabase& db, Engine engine);
// Whether reminders of that store can carry a yearly repetition. A store that cannot be read
// now answers no: the windows then offer what every store has.
bool hasYearlyRepeat(const QString& connectionName);

struct Outcome {
    int fromVersion = 0;
    bool upgraded = false; // false: the store was at the current version already
};

// Upgrades the store at a file path or server URI to the current version, in one
// transaction: all of it or nothing. Running it on a current store changes nothing. The
// error, when there is one, says why the store is as it was.
std::optional<StoreError> upgrade(const QString& location, Outcome* outcome = nullptr);

// The server's part of the upgrade, run inside the upgrade's transaction on `db`. A server
// also has to open the new column and table to the roles that use the store (and give them
// the roll-over as a function of the store's owner); that is added here with the server's
// roles. Until then it adds the column and the table, as on a file.
void upgradeServer(const QSqlDatabase& db, int fromVersion);

} // namespace StoreUpgrade
