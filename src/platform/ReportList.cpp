#include "platform/ReportList.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Grid lines between cells, as report lists draw them.
class GridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(200, 200, 200));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), 20));
        return size;
    }
};

} // namespace

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setAlternatingRowColors(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setItemDelegate(new GridDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::AlternateBase, OddRowColor());
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
}

void ReportList::SetColumns(const std::vector<Column>& columns) {
    setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const Column& column : columns)
        captions << column.caption;
    setHeaderLabels(captions);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        setColumnWidth(c, columns[c].width);
        setColumnHidden(c, columns[c].width == 0);
    }
    columnColors_.assign(columns.size(), QColor());
}

void ReportList::SetTextColor(const QColor& color, int column) {
    if (column < 0) {
        textColor_ = color;
        return;
    }
    if (column >= static_cast<int>(columnColors_.size()))
        columnColors_.resize(column + 1);
    columnColors_[column] = color;
}

int ReportList::AddRow(const QStringList& texts, const QIcon& icon) {
    auto* item = new QTreeWidgetItem(this, texts);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                   (checkBoxes_ ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    if (checkBoxes_)
        item->setCheckState(0, Qt::Unchecked);
    if (!icon.isNull())
        item->setIcon(0, icon);
    for (int c = 0; c < columnCount(); ++c) {
        const QColor color = c < static_cast<int>(columnColors_.size()) && columnColors_[c].isValid()
                                 ? columnColors_[c]
                                 : textColor_;
        item->setForeground(c, color);
    }
    return indexOfTopLevelItem(item);
}

QString ReportList::Text(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

bool ReportList::Checked(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

void ReportList::SetChecked(int row, bool checked) {
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void ReportList::SetAllChecked(bool checked) {
    for (int row = 0; row < Count(); ++row)
        SetChecked(row, checked);
}

int ReportList::CheckedCount() const {
    int count = 0;
    for (int row = 0; row < Count(); ++row)
        count += Checked(row) ? 1 : 0;
    return count;
}

int ReportList::Selected() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.front());
}

void ReportList::SelectRow(int row) {
    if (row < 0) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
        item->setSelected(true);
    }
}
