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
// caption(), subItem() and text() give it back exactly as it was added.
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
    void setColumns(const std::vector<Column>& columns);
    // The column that takes whatever width the others leave (its configured width is its
    // width until then): a key column grown to show its digits never pushes the row past
    // the list's edge.
    void setFillColumn(int column);
    void setCheckBoxes(bool on);
    bool hasCheckBoxes() const;
    // Text colour of one column (all columns when column is -1).
    void setTextColor(const QColor& color, int column = -1);

    // Adds a row, unticked; texts[0] is the caption, texts beyond the columns are dropped.
    // Returns the row's index.
    int addRow(const QStringList& texts, const QIcon& icon = QIcon());
    // Replaces every row at once, in one go for the view: rows[i] holds the texts of row i,
    // each row gets the icon and no tick. The way to fill a long list.
    void setRows(std::vector<QStringList> rows, const QIcon& icon = QIcon());
    // Puts the rows in as the user left the list: the row selected, the rows ticked and the
    // scroll position stay with their keys (the captions). A list that already shows exactly
    // these rows is left alone, so a refresh that finds nothing changed repaints nothing.
    // Returns whether the list changed.
    bool replaceRows(std::vector<QStringList> rows, const QIcon& icon = QIcon());
    void clear();
    int count() const;

    QString caption(int row) const { return text(row, 0); }
    // Sub-item i is column i + 1.
    QString subItem(int row, int i) const { return text(row, i + 1); }
    QString text(int row, int column) const;

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    int checkedCount() const;

    // The selected row, or -1.
    int selectedRow() const;
    // Selects the row; -1 clears the selection.
    void selectRow(int row);

    static QColor oddRowColor() { return QColor(224, 224, 224); }

signals:
    // A row was double-clicked.
    void rowDoubleClicked(int row);
    // The selection changed, by the user, by selectRow() or because the rows went.
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
