#pragma once

#include <QString>

// Rewrites the few statement forms that SQLite does not speak as the catalogue writes them.
namespace Dialect {
// "Select top 1 <cols> from <table> where <cond> order by <key>" becomes a select of every
// row whose key equals the smallest one (ties kept, a missing key counting as smallest).
// Any other text is returned unchanged. Throws StoreError for a top n other than 1.
QString translate(const QString& statement);
} // namespace Dialect
