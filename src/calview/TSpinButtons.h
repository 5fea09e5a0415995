#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons, up over down, that move a position inside a range (no edit
// field): the month and year spins of the calendar's title. The position never leaves the
// range; Clicked follows every press of an arrow, also one that is already at the limit.
class TSpinButtons : public QWidget {
    Q_OBJECT
public:
    TSpinButtons(int minimum, int maximum, QWidget* parent = nullptr);

    int Position() const { return position_; }
    // Clamped to the range; raises nothing.
    void SetPosition(int position);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void Clicked();

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
