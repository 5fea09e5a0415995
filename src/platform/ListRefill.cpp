#include "platform/ListRefill.h"

#include <QScrollBar>
#include <QSet>

namespace {
bool showsExactly(const ReportList& list, const std::vector<ListRow>& rows) {
    if (list.Count() != static_cast<int>(rows.size()))
        return false;
    for (int row = 0; row < list.Count(); ++row) {
        const QStringList& texts = rows[row].texts;
        for (int column = 0; column < texts.size(); ++column)
            if (list.Text(row, column) != texts[column])
                return false;
    }
    return true;
}
} // namespace

bool ReplaceRowsKeepingState(ReportList& list, const std::vector<ListRow>& rows) {
    if (showsExactly(list, rows))
        return false;
    QSet<QString> ticked;
    for (int row = 0; row < list.Count(); ++row)
        if (list.Checked(row))
            ticked.insert(list.Caption(row));
    const int selected = list.Selected();
    const QString selectedKey = selected >= 0 ? list.Caption(selected) : QString();
    const int scrolled = list.verticalScrollBar()->value();

    list.setUpdatesEnabled(false);
    list.Clear();
    for (const ListRow& row : rows) {
        const int added = list.AddRow(row.texts, row.icon);
        const QString& key = row.texts.isEmpty() ? QString() : row.texts.front();
        if (!ticked.isEmpty() && ticked.contains(key))
            list.SetChecked(added, true);
        if (!selectedKey.isEmpty() && key == selectedKey)
            list.SelectRow(added);
    }
    // The scroll range follows the new rows only once they are laid out.
    list.doItemsLayout();
    list.verticalScrollBar()->setValue(scrolled);
    list.setUpdatesEnabled(true);
    return true;
}
