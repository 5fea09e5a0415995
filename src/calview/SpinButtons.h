#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons, up over down, that move a position inside a range (no edit
// field): the month and year spins of the calendar's title. The position never leaves the
// range; clicked() follows every press of an arrow, also one that is already at the limit.
// The arrows are named "upButton" and "downButton".
class SpinButtons : public QWidget {
    Q_OBJECT
public:
    SpinButtons(int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    // Clamped to the range; raises nothing.
    void setPosition(int position);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    void layoutButtons();

    int minimum_;
    int maximum_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};
