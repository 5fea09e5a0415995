#pragma once

#include "platform/ReportList.h"

#include <QIcon>
#include <QStringList>
#include <vector>

// One row as a list shows it: its texts (the first one, the caption, is the row's key) and
// its icon.
struct ListRow {
    QStringList texts;
    QIcon icon;
};

// Puts the rows into the list as the user left it: the row selected, the rows ticked and the
// scroll position stay with their keys. A list that already shows exactly these rows is left
// alone, so a refresh that finds nothing changed repaints nothing.
// Returns whether the list changed.
bool ReplaceRowsKeepingState(ReportList& list, const std::vector<ListRow>& rows);
