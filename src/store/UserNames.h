#pragma once

#include "store/Query.h"

#include <QHash>
#include <QString>

// The display names of every account, from one read of the users: a list names its
// publishers and recipients from this instead of asking the store once per person.
class UserNames {
public:
    // Reads the accounts through the query object (its statement is replaced).
    static UserNames read(Query& query);

    // The display name of the account with that key; empty when there is none.
    QString nameOf(qint64 userKey) const { return names_.value(userKey); }

private:
    QHash<qint64, QString> names_;
};
