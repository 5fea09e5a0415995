#pragma once

#include <QString>
#include <array>

class Query;

// The nine-position permission string of an account: position i ("1" granted, "0" not)
// gates the i-th of the main window's nine gated controls. Administrators get all nine.
namespace Permissions {

inline constexpr int kPositions = 9;
using Grants = std::array<bool, kPositions>;

// A position beyond the end of the text counts as "0"; only "1" grants.
Grants fromString(const QString& text);
// Always nine characters.
QString toString(const Grants& grants);

// Reads the account's string and administrator flag from the store: no permission row
// means "000000000", an administrator gets everything whatever his string says.
Grants forAccount(Query& query, int accountKey);

} // namespace Permissions
