#pragma once

#include "calview/CalendarLayout.h"

#include <QWidget>
#include <functional>

// The owner-drawn 9 x 7 cell grid of the month view: no scroll bars, borders or grid lines.
// It keeps the current cell, draws every cell through its owner, and asks its owner before a
// click or an arrow key makes another cell current.
class CalendarGrid : public QWidget {
    Q_OBJECT
public:
    explicit CalendarGrid(QWidget* parent = nullptr);

    void setMetrics(const CalendarLayout::GridMetrics& metrics);
    const CalendarLayout::GridMetrics& metrics() const { return metrics_; }
    QRect cellRect(int column, int row) const { return metrics_.cellRect(column, row); }

    int currentColumn() const { return column_; }
    int currentRow() const { return row_; }
    // Makes a cell current. A user's move asks canSelectCell first and stays where it was when
    // refused; the owner's own moves are never refused.
    bool moveCurrent(int column, int row, bool byUser);

    // The owner's veto over a user's move (true: accept). Absent: every move is accepted.
    std::function<bool(int column, int row)> canSelectCell;
    // Draws one cell at `rect` (grid coordinates) with the painter of the grid.
    std::function<void(QPainter& painter, int column, int row, const QRect& rect, bool selected,
                       bool focused)>
        cellPainter;
    // A mouse button went down in the grid (before any move it causes).
    std::function<void()> onPressed;
    // The left button came up over the current cell.
    std::function<void()> onCurrentCellClicked;
    // The left button was double-clicked over a cell.
    std::function<void(int column, int row)> onCellDoubleClicked;
    // The context menu was asked for at a global position.
    std::function<void(QPoint globalPos)> onContextMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CalendarLayout::GridMetrics metrics_;
    int column_ = 0;
    int row_ = 0;
};
