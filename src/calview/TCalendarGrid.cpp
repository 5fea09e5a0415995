#include "calview/TCalendarGrid.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TCalendarGrid::TCalendarGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCalendarGrid::SetMetrics(const CalendarLayout::GridMetrics& metrics) {
    metrics_ = metrics;
    update();
}

bool TCalendarGrid::MoveCurrent(int column, int row, bool byUser) {
    if (column < 0 || column >= CalendarLayout::kColumns || row < 0 || row >= CalendarLayout::kRows)
        return false;
    if (byUser && SelectCell && !SelectCell(column, row))
        return false;
    if (column != column_ || row != row_) {
        update(CellRect(column_, row_));
        column_ = column;
        row_ = row;
        update(CellRect(column_, row_));
    }
    return true;
}

void TCalendarGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const bool focused = hasFocus();
    for (int r = 0; r < CalendarLayout::kRows; ++r) {
        for (int c = 0; c < CalendarLayout::kColumns; ++c) {
            const QRect rect = CellRect(c, r);
            if (rect.isEmpty() || !event->rect().intersects(rect))
                continue;
            const bool current = c == column_ && r == row_;
            if (DrawCellHandler)
                DrawCellHandler(painter, c, r, rect, current, current && focused);
        }
    }
}

void TCalendarGrid::mousePressEvent(QMouseEvent* event) {
    if (Pressed)
        Pressed();
    if (event->button() == Qt::LeftButton) {
        if (const auto cell = metrics_.CellAt(event->position().toPoint()))
            MoveCurrent(cell->x(), cell->y(), true);
    }
    QWidget::mousePressEvent(event);
}

void TCalendarGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        const auto cell = metrics_.CellAt(event->position().toPoint());
        if (cell && cell->x() == column_ && cell->y() == row_ && ClickedCurrent)
            ClickedCurrent();
    }
    QWidget::mouseReleaseEvent(event);
}

void TCalendarGrid::keyPressEvent(QKeyEvent* event) {
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
    MoveCurrent(column, row, true);
    event->accept();
}

void TCalendarGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (ContextMenu)
        ContextMenu(event->globalPos());
    event->accept();
}

void TCalendarGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(CellRect(column_, row_));
}

void TCalendarGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(CellRect(column_, row_));
}
