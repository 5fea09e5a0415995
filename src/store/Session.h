#pragma once

#include "store/Connection.h"

#include <QString>

// Who is logged in on which connection. One per run of the program; tests make several
// to play several copies of the program on one store file.
struct Session {
    // Name of the shared connection that every query object of this run uses.
    QString connectionName = Connection::kDefaultName;
    // Key of the logged-in account; 0 until a login succeeds.
    int currentUserKey = 0;
    QString currentUserName;
    // The login name it logged in with (a server knows the account by it).
    QString currentLoginName;
};
