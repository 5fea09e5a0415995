#pragma once

#include <QColor>
#include <QIcon>
#include <QStringList>
#include <QTreeView>
#include <initializer_list>
#include <utility>
#include <vector>

class ReportRows;

// The report-style list every window uses: columns of fixed widths (a zero width hides a
// column that carries a key), grid lines, whole-row selection, optional tick boxes, one small
// icon per row, and rows painted alternately white and light grey.
//
// Each list names what its columns hold (Column), and its rows are filled and read by those
// names, never by position: a list may put its columns in any order, hide its key anywhere,
// and whoever reads a row asks for its content or its key.
//
// Rows are kept compactly (their texts, a tick and an icon shared with the other rows), so
// that lists of many thousand rows fill fast and stay small. Every text is shown as an
// isolated run, so that direction controls in it cannot reorder the rest of the row, while
// text() gives it back exactly as it was added.
class ReportList : public QTreeView {
    Q_OBJECT
public:
    // What a column holds.
    enum class Column {
        Key,       // the row's key in the store, the one a handler binds back
        Number,    // a running number, 1 for the first row
        Content,   // a reminder's text
        Person,    // the person a popup's row names
        Publisher, // who published a reminder
        Recipient, // whom a reminder is for
        Time,      // when a reminder was published
        Name,      // an account's display name
        LoginName, // an account's login name
        Remarks,   // an account's remarks
        Kind,      // a reminder's kind
        Repeat,    // how a reminder comes back every year, empty for a one-time one
        Date,      // when a reminder comes (next)
        DaysToGo,  // how many days until then
        LunarDate, // the lunar date of that day
        Years,     // the age or years reached then
    };

    struct ColumnSetup {
        Column column;
        QString caption;
        int width;
    };

    // The texts of one row, in the order of the list's columns; row() makes it.
    class Row {
    public:
        Row() = default;

    private:
        friend class ReportList;
        friend class ReportRows;
        explicit Row(QStringList texts) : texts_(std::move(texts)) {}
        QStringList texts_;
    };

    explicit ReportList(QWidget* parent = nullptr);
    ~ReportList() override;

    // The columns from left to right. The first is never narrower than a key of seven digits
    // beside the tick box and the icon, whatever the font.
    void setColumns(const std::vector<ColumnSetup>& columns);
    // The column that takes whatever width the others leave (its configured width is its
    // width until then): a key column grown to show its digits never pushes the row past
    // the list's edge.
    void setFillColumn(Column column);
    void setCheckBoxes(bool on);
    bool hasCheckBoxes() const;
    // Text colour of every column, or of one.
    void setTextColor(const QColor& color);
    void setTextColor(const QColor& color, Column column);

    // One row for this list, its texts named by column:
    //   list->row({{Column::Key, key}, {Column::Content, content}})
    // A column of the list that is not named stays empty; a text for a column the list does
    // not have is dropped.
    Row row(std::initializer_list<std::pair<Column, QString>> texts) const;

    // Adds a row, unticked. Returns the row's index.
    int addRow(Row row, const QIcon& icon = QIcon());
    // Replaces every row at once, in one go for the view: each row gets the icon and no
    // tick. The way to fill a long list.
    void setRows(std::vector<Row> rows, const QIcon& icon = QIcon());
    // Puts the rows in as the user left the list: the row selected, the rows ticked and the
    // scroll position stay with their keys (the Key column, or the first where there is none).
    // A list that already shows exactly these rows is left alone, so a refresh that finds
    // nothing changed repaints nothing. Returns whether the list changed.
    bool replaceRows(std::vector<Row> rows, const QIcon& icon = QIcon());
    // Adds the rows at the end in one go, unticked; the selection, the ticks and the scroll
    // position stay.
    void appendRows(std::vector<Row> rows, const QIcon& icon = QIcon());
    void clear();

    // A list read a page at a time: while more rows are to come, the list asks for them with
    // moreRowsWanted() once the user scrolls to the end, or while the rows do not fill it.
    // Whoever reads them adds them with appendRows() and says whether still more are to come.
    void setMoreRowsToCome(bool more);
    bool hasMoreRowsToCome() const;
    int count() const;

    // The row's text in that column, exactly as it was added; empty where the list has no
    // such column.
    QString text(int row, Column column) const;

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
    // The user reached the end of the rows while more are to come.
    void moreRowsWanted();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Where the column stands from the left, or -1.
    int indexOf(Column column) const;
    QString textAt(int row, int index) const;
    void applyColumnWidths();
    int captionMinimumWidth() const;
    void noteIcon(const QIcon& icon);
    void wantMoreIfAtEnd();

    ReportRows* rows_;
    std::vector<Column> columns_;
    std::vector<int> widths_;
    bool hasIcons_ = false;
    bool moreToCome_ = false;
    bool filling_ = false; // rows are going in: no asking for more until they are in
};
