#pragma once

#include <QPixmap>
#include <QWidget>

class QMouseEvent;

// A picture control: shows one picture either at its natural size (the control takes the
// picture's size) or stretched over the whole control. The shells build their frames from these
// (topLeftPicture, topCenterPicture, ...); derived windows may use it for their own pictures too.
// Mouse presses, moves and releases are passed on as signals, so that a window can react to them
// without subclassing.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class Fit { Natural, Stretch };

    explicit PictureBox(Fit fit, QWidget* parent = nullptr);

    // A natural picture also resizes the control (fixed to the picture's size).
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    Fit fitMode() const { return fit_; }

    QSize sizeHint() const override;

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Fit fit_;
    QPixmap picture_;
};
