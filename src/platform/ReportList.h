#pragma once

#include <QColor>
#include <QIcon>
#include <QStringList>
#include <QTreeView>
#include <vector>

class ReportRows;

// The report-style list every window uses: columns of fixed widths (a zero width hides a
// column that carries a key), grid lines, whole-row selection, optional tick boxes, one small
// icon per row, and rows painted alternately white and light grey. A row's caption is its
// first column; the further columns are its sub-items.
//
// Rows are kept compactly (their texts, a tick and an icon shared with the other rows), so
// that lists of many thousand rows fill fast and stay small. Every text is shown as an
// isolated run, so that direction controls in it cannot reorder the rest of the row, while
// Caption, SubItem and Text give it back exactly as it was added.
class ReportList : public QTreeView {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        int width;
    };

    explicit ReportList(QWidget* parent = nullptr);
    ~ReportList() override;

    // The widths are minimums for the caption column: a key of seven digits always shows
    // whole beside the tick box and the icon, whatever the font.
    void SetColumns(const std::vector<Column>& columns);
    // The column that takes whatever width the others leave (its configured width is its
    // width until then): a key column grown to show its digits never pushes the row past
    // the list's edge.
    void SetFillColumn(int column);
    void SetCheckBoxes(bool on);
    bool CheckBoxes() const;
    // Text colour of one column (all columns when column is -1).
    void SetTextColor(const QColor& color, int column = -1);

    // Adds a row, unticked; texts[0] is the caption, texts beyond the columns are dropped.
    // Returns the row's index.
    int AddRow(const QStringList& texts, const QIcon& icon = QIcon());
    // Replaces every row at once, in one go for the view: rows[i] holds the texts of row i,
    // each row gets the icon and no tick. The way to fill a long list.
    void SetRows(std::vector<QStringList> rows, const QIcon& icon = QIcon());
    // Puts the rows in as the user left the list: the row selected, the rows ticked and the
    // scroll position stay with their keys (the captions). A list that already shows exactly
    // these rows is left alone, so a refresh that finds nothing changed repaints nothing.
    // Returns whether the list changed.
    bool ReplaceRows(std::vector<QStringList> rows, const QIcon& icon = QIcon());
    void Clear();
    int Count() const;

    QString Caption(int row) const { return Text(row, 0); }
    // Sub-item i is column i + 1.
    QString SubItem(int row, int i) const { return Text(row, i + 1); }
    QString Text(int row, int column) const;

    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    int CheckedCount() const;

    // The selected row, or -1.
    int Selected() const;
    // Selects the row; -1 clears the selection.
    void SelectRow(int row);

    static QColor OddRowColor() { return QColor(224, 224, 224); }

signals:
    // A row was double-clicked.
    void rowDoubleClicked(int row);
    // The selection changed, by the user, by SelectRow or because the rows went.
    void selectedRowChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColumnWidths();
    int captionMinimumWidth() const;
    void noteIcon(const QIcon& icon);

    ReportRows* rows_;
    std::vector<int> widths_;
    bool hasIcons_ = false;
};
