#include "platform/ReportList.h"

#include "platform/TextConvert.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <unordered_map>

// The rows of one list: every cell's text in one row-major array, a tick and an icon number
// per row, the icons themselves once per list.
class ReportRows final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(ticks_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(captions_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const int row = index.row();
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return isolatedText(text(row, column));
        case Qt::ForegroundRole:
            return column < static_cast<int>(columnColors_.size()) &&
                           columnColors_[column].isValid()
                       ? columnColors_[column]
                       : textColor_;
        case Qt::DecorationRole:
            if (column == 0 && iconOfRow_[row] != 0)
                return icons_[iconOfRow_[row] - 1];
            return {};
        case Qt::CheckStateRole:
            if (column == 0 && checkBoxes_)
                return static_cast<int>(ticks_[row] ? Qt::Checked : Qt::Unchecked);
            return {};
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 || !checkBoxes_)
            return false;
        setTicked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (checkBoxes_ && index.column() == 0)
            flags |= Qt::ItemIsUserCheckable;
        return flags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < static_cast<int>(captions_.size()))
            return captions_[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void setCaptions(const QStringList& captions) {
        beginResetModel();
        const std::size_t oldStride = captions_.size();
        const std::size_t newStride = static_cast<std::size_t>(captions.size());
        if (oldStride != newStride && !ticks_.empty()) {
            std::vector<QString> cells(ticks_.size() * newStride);
            for (std::size_t row = 0; row < ticks_.size(); ++row)
                for (std::size_t c = 0; c < std::min(oldStride, newStride); ++c)
                    cells[row * newStride + c] = std::move(cells_[row * oldStride + c]);
            cells_ = std::move(cells);
        }
        captions_.assign(captions.begin(), captions.end());
        columnColors_.assign(captions_.size(), QColor());
        endResetModel();
    }

    bool hasCheckBoxes() const { return checkBoxes_; }
    void setCheckBoxes(bool on) {
        checkBoxes_ = on;
        changedEveryRow();
    }

    // All columns when column is -1.
    void setTextColor(const QColor& color, int column) {
        if (column < 0) {
            textColor_ = color;
        } else {
            if (column >= static_cast<int>(columnColors_.size()))
                columnColors_.resize(column + 1);
            columnColors_[column] = color;
        }
        changedEveryRow();
    }

    int append(ReportList::Row texts, const QIcon& icon) {
        const int row = rowCount();
        beginInsertRows({}, row, row);
        takeCells(texts.texts_);
        ticks_.push_back(0);
        iconOfRow_.push_back(iconNumber(icon));
        endInsertRows();
        return row;
    }

    void appendAll(std::vector<ReportList::Row> rows, const QIcon& icon) {
        if (rows.empty())
            return;
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        for (ReportList::Row& texts : rows)
            takeCells(texts.texts_);
        ticks_.resize(ticks_.size() + rows.size(), 0);
        iconOfRow_.resize(iconOfRow_.size() + rows.size(), iconNumber(icon));
        endInsertRows();
    }

    void replace(std::vector<ReportList::Row> rows, const QIcon& icon) {
        beginResetModel();
        clearRows(rows.size() * captions_.size());
        for (ReportList::Row& texts : rows)
            takeCells(texts.texts_);
        ticks_.assign(rows.size(), 0);
        iconOfRow_.assign(rows.size(), iconNumber(icon));
        endResetModel();
    }

    void clear() {
        beginResetModel();
        clearRows();
        endResetModel();
    }

    QString text(int row, int column) const {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return {};
        return cells_[static_cast<std::size_t>(row) * captions_.size() + column];
    }

    bool isTicked(int row) const { return row >= 0 && row < rowCount() && ticks_[row] != 0; }
    void setTicked(int row, bool ticked) {
        if (row < 0 || row >= rowCount())
            return;
        ticks_[row] = ticked ? 1 : 0;
        const QModelIndex cell = index(row, 0);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
    void setAllTicked(bool ticked) {
        std::fill(ticks_.begin(), ticks_.end(), ticked ? 1 : 0);
        if (!ticks_.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    }
    int tickedCount() const {
        return static_cast<int>(std::count(ticks_.begin(), ticks_.end(), 1));
    }

private:
    void appendCells(const QStringList& texts) {
        const qsizetype stride = static_cast<qsizetype>(captions_.size());
        for (qsizetype c = 0; c < stride; ++c)
            cells_.push_back(c < texts.size() ? texts[c] : QString());
    }

    // As appendCells, moving the texts out of a list that nobody else holds.
    void takeCells(QStringList& texts) {
        if (!texts.isDetached()) {
            appendCells(texts);
            return;
        }
        const qsizetype stride = static_cast<qsizetype>(captions_.size());
        for (qsizetype c = 0; c < stride; ++c)
            cells_.push_back(c < texts.size() ? std::move(texts[c]) : QString());
    }

    // Empties the list, keeping room for that many cells. A reload of about as many rows
    // reuses the room of the last one; otherwise the memory of a long list goes back at once.
    void clearRows(std::size_t cellsToCome = 0) {
        if (cellsToCome > 0 && cellsToCome <= cells_.capacity() &&
            cellsToCome >= cells_.capacity() / 2) {
            cells_.clear();
        } else {
            std::vector<QString>().swap(cells_);
            cells_.reserve(cellsToCome);
        }
        std::vector<quint8>().swap(ticks_);
        std::vector<quint32>().swap(iconOfRow_);
        icons_.clear();
        iconNumbers_.clear();
    }

    // 0 for no icon, else the icon's place in icons_ plus one. Rows that share one QIcon
    // share its entry.
    quint32 iconNumber(const QIcon& icon) {
        if (icon.isNull())
            return 0;
        const auto [found, added] = iconNumbers_.try_emplace(icon.cacheKey(), 0);
        if (added) {
            icons_.push_back(icon);
            found->second = static_cast<quint32>(icons_.size());
        }
        return found->second;
    }

    void changedEveryRow() {
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

    std::vector<QString> captions_;
    std::vector<QString> cells_;
    std::vector<quint8> ticks_;
    std::vector<quint32> iconOfRow_;
    std::vector<QIcon> icons_;
    std::unordered_map<qint64, quint32> iconNumbers_;
    std::vector<QColor> columnColors_;
    QColor textColor_ = Qt::black;
    bool checkBoxes_ = false;
};

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

// The digit that takes the most room in the font; most fonts draw all ten alike.
QChar widestDigit(const QFontMetrics& metrics) {
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    return widest;
}

constexpr int kKeyDigits = 7;

} // namespace

ReportList::ReportList(QWidget* parent) : QTreeView(parent), rows_(new ReportRows(this)) {
    setModel(rows_);
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
    colors.setColor(QPalette::AlternateBase, oddRowColor());
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowDoubleClicked(index.row());
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ReportList::selectedRowChanged);
    // Not the model's fetchMore(): a tree view fetches at every layout of its rows, and so
    // would read a long list to its end in the background.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { wantMoreIfAtEnd(); });
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { wantMoreIfAtEnd(); }); });
}

ReportList::~ReportList() = default;

void ReportList::setColumns(const std::vector<ColumnSetup>& columns) {
    QStringList captions;
    columns_.clear();
    widths_.clear();
    for (const ColumnSetup& column : columns) {
        captions << column.caption;
        columns_.push_back(column.column);
        widths_.push_back(column.width);
    }
    rows_->setCaptions(captions);
    applyColumnWidths();
}

void ReportList::setFillColumn(Column column) {
    const int index = indexOf(column);
    if (index >= 0)
        header()->setSectionResizeMode(index, QHeaderView::Stretch);
}

void ReportList::setCheckBoxes(bool on) {
    rows_->setCheckBoxes(on);
    applyColumnWidths();
}

bool ReportList::hasCheckBoxes() const {
    return rows_->hasCheckBoxes();
}

void ReportList::setTextColor(const QColor& color) {
    rows_->setTextColor(color, -1);
}

void ReportList::setTextColor(const QColor& color, Column column) {
    const int index = indexOf(column);
    if (index >= 0)
        rows_->setTextColor(color, index);
}

ReportList::Row ReportList::row(std::initializer_list<std::pair<Column, QString>> texts) const {
    QStringList cells;
    cells.reserve(static_cast<qsizetype>(columns_.size()));
    for (const Column column : columns_) {
        const auto named = std::find_if(texts.begin(), texts.end(), [column](const auto& text) {
            return text.first == column;
        });
        cells.push_back(named != texts.end() ? named->second : QString());
    }
    return Row(std::move(cells));
}

int ReportList::addRow(Row row, const QIcon& icon) {
    noteIcon(icon);
    return rows_->append(std::move(row), icon);
}

void ReportList::setRows(std::vector<Row> rows, const QIcon& icon) {
    // The rows go, and with them the selection, as clear() tells.
    selectionModel()->clear();
    if (!rows.empty())
        noteIcon(icon);
    rows_->replace(std::move(rows), icon);
}

bool ReportList::replaceRows(std::vector<Row> rows, const QIcon& icon) {
    const int shown = count();
    bool same = shown == static_cast<int>(rows.size());
    for (int row = 0; same && row < shown; ++row)
        for (int column = 0; same && column < rows[row].texts_.size(); ++column)
            same = textAt(row, column) == rows[row].texts_[column];
    if (same)
        return false;

    const int keyIndex = std::max(indexOf(Column::Key), 0);
    QSet<QString> ticked;
    for (int row = 0; row < shown; ++row)
        if (isChecked(row))
            ticked.insert(textAt(row, keyIndex));
    const int selected = selectedRow();
    const QString selectedKey = selected >= 0 ? textAt(selected, keyIndex) : QString();
    const int scrolled = verticalScrollBar()->value();

    const QScopedValueRollback filling(filling_, true);
    setRows(std::move(rows), icon);
    for (int row = 0; row < count(); ++row) {
        const QString key = textAt(row, keyIndex);
        if (!ticked.isEmpty() && ticked.contains(key))
            setChecked(row, true);
        if (!selectedKey.isEmpty() && key == selectedKey)
            selectRow(row);
    }
    // The scroll range follows the new rows only once they are laid out.
    doItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    return true;
}

void ReportList::appendRows(std::vector<Row> rows, const QIcon& icon) {
    if (!rows.empty())
        noteIcon(icon);
    const QScopedValueRollback filling(filling_, true);
    rows_->appendAll(std::move(rows), icon);
}

void ReportList::setMoreRowsToCome(bool more) {
    moreToCome_ = more;
    if (more)
        QTimer::singleShot(0, this, [this] { wantMoreIfAtEnd(); });
}

bool ReportList::hasMoreRowsToCome() const {
    return moreToCome_;
}

void ReportList::wantMoreIfAtEnd() {
    // Rows are asked for when the user sees the last one: scrolled to the end, or in a list
    // they do not fill. A list changing its rows asks once it is done.
    if (!moreToCome_ || filling_ || !isVisible())
        return;
    // The scroll range follows rows just added only once they are laid out.
    executeDelayedItemsLayout();
    const QScrollBar* bar = verticalScrollBar();
    if (bar->value() >= bar->maximum())
        emit moreRowsWanted();
}

void ReportList::clear() {
    selectionModel()->clear();
    rows_->clear();
}

int ReportList::count() const {
    return rows_->rowCount();
}

QString ReportList::text(int row, Column column) const {
    const int index = indexOf(column);
    return index >= 0 ? textAt(row, index) : QString();
}

int ReportList::indexOf(Column column) const {
    const auto found = std::find(columns_.begin(), columns_.end(), column);
    return found != columns_.end() ? static_cast<int>(found - columns_.begin()) : -1;
}

QString ReportList::textAt(int row, int index) const {
    return rows_->text(row, index);
}

bool ReportList::isChecked(int row) const {
    return rows_->isTicked(row);
}

void ReportList::setChecked(int row, bool checked) {
    rows_->setTicked(row, checked);
}

void ReportList::setAllChecked(bool checked) {
    rows_->setAllTicked(checked);
}

int ReportList::checkedCount() const {
    return rows_->tickedCount();
}

int ReportList::selectedRow() const {
    const QItemSelection selection = selectionModel()->selection();
    return selection.isEmpty() ? -1 : selection.first().top();
}

void ReportList::selectRow(int row) {
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    if (row < count())
        selectionModel()->setCurrentIndex(
            rows_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyColumnWidths();
}

void ReportList::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    // A list shown with rows that do not fill it asks for more at once.
    QTimer::singleShot(0, this, [this] { wantMoreIfAtEnd(); });
}

void ReportList::noteIcon(const QIcon& icon) {
    if (hasIcons_ || icon.isNull())
        return;
    hasIcons_ = true;
    applyColumnWidths();
}

void ReportList::applyColumnWidths() {
    const int minimum = captionMinimumWidth();
    for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
        const int width = widths_[c];
        setColumnHidden(c, width == 0);
        if (width > 0)
            setColumnWidth(c, c == 0 ? std::max(width, minimum) : width);
    }
}

int ReportList::captionMinimumWidth() const {
    // Measured as the style lays out a cell, so tick box, icon and margins all count.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QString(kKeyDigits, widestDigit(QFontMetrics(option.font)));
    if (rows_->hasCheckBoxes()) {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.checkState = Qt::Checked;
    }
    if (hasIcons_) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize = iconSize();
    }
    const QSize cell = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    // One pixel more for the grid line at the cell's right edge.
    return cell.width() + 1;
}
