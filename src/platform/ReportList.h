#pragma once

#include <QColor>
#include <QIcon>
#include <QStringList>
#include <QTreeWidget>
#include <vector>

// The report-style list every window uses: columns of fixed widths (a zero width hides a
// column that carries a key), grid lines, whole-row selection, optional tick boxes, one small
// icon per row, and rows painted alternately white and light grey. A row's caption is its
// first column; the further columns are its sub-items.
class ReportList : public QTreeWidget {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        int width;
    };

    explicit ReportList(QWidget* parent = nullptr);

    void SetColumns(const std::vector<Column>& columns);
    void SetCheckBoxes(bool on) { checkBoxes_ = on; }
    bool CheckBoxes() const { return checkBoxes_; }
    // Text colour of one column (all columns when column is -1).
    void SetTextColor(const QColor& color, int column = -1);

    // Adds a row; texts[0] is the caption. Returns the row's index.
    int AddRow(const QStringList& texts, const QIcon& icon = QIcon());
    void Clear() { clear(); }
    int Count() const { return topLevelItemCount(); }

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
    void SelectRow(int row);

    static QColor OddRowColor() { return QColor(224, 224, 224); }

private:
    std::vector<QColor> columnColors_;
    QColor textColor_ = Qt::black;
    bool checkBoxes_ = false;
};
