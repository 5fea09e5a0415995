#pragma once

#include "store/Engine.h"

#include <QString>

// Rewrites the few statement forms that an engine does not speak as the catalogue writes
// them, so that every engine gives the catalogue's results.
namespace Dialect {
// "Select top 1 <cols> from <table> where <cond> order by <key>" becomes a select of every
// row whose key equals the smallest one (ties kept, a missing key counting as smallest).
// On PostgreSQL, which sorts missing values last, a trailing "order by <key>" sorts them
// first in ascending and last in descending order, as the file store does.
// "<column> COLLATE BINARY" compares and orders a text column byte by byte; the server, whose
// text columns compare by its locale and without regard to case, is told so in its own words.
// Any other text is returned unchanged. Throws StoreError for a top n other than 1.
QString translate(const QString& statement, Engine engine);
} // namespace Dialect
