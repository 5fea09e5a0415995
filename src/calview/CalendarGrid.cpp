#include "calview/CalendarGrid.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CalendarGrid::CalendarGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CalendarGrid::setMetrics(const CalendarLayout::GridMetrics& metrics) {
    metrics_ = metrics;
    update();
}

bool CalendarGrid::moveCurrent(int column, int row, bool byUser) {
    if (column < 0 || column >= CalendarLayout::kColumns || row < 0 || row >= CalendarLayout::kRows)
        return false;
    if (byUser && canSelectCell && !canSelectCell(column, row))
        return false;
    if (column != column_ || row != row_) {
        update(cellRect(column_, row_));
        column_ = column;
        row_ = row;
        update(cellRect(column_, row_));
    }
    return true;
}

void CalendarGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const bool focused = hasFocus();
    for (int r = 0; r < CalendarLayout::kRows; ++r) {
        for (int c = 0; c < CalendarLayout::kColumns; ++c) {
            const QRect rect = cellRect(c, r);
            if (rect.isEmpty() || !event->rect().intersects(rect))
                continue;
            const bool current = c == column_ && r == row_;
            if (cellPainter)
                cellPainter(painter, c, r, rect, current, current && focused);
        }
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent* event) {
    if (onPressed)
        onPressed();
    if (event->button() == Qt::LeftButton) {
        if (const auto cell = metrics_.cellAt(event->position().toPoint()))
            moveCurrent(cell->x(), cell->y(), true);
    }
    QWidget::mousePressEvent(event);
}

void CalendarGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        const auto cell = metrics_.cellAt(event->position().toPoint());
        if (cell && cell->x() == column_ && cell->y() == row_ && onCurrentCellClicked)
            onCurrentCellClicked();
    }
    QWidget::mouseReleaseEvent(event);
}

void CalendarGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onCellDoubleClicked) {
        if (const auto cell = metrics_.cellAt(event->position().toPoint()))
            onCellDoubleClicked(cell->x(), cell->y());
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CalendarGrid::keyPressEvent(QKeyEvent* event) {
    int column = column_;
    int row = row_;
    switch (event->key()) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveCurrent(column, row, true);
    event->accept();
}

void CalendarGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu)
        onContextMenu(event->globalPos());
    event->accept();
}

void CalendarGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(cellRect(column_, row_));
}

void CalendarGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(cellRect(column_, row_));
}
