#pragma once

#include <QPixmap>
#include <QWidget>

class QMouseEvent;

// A picture control: shows one picture either at its natural size (the control takes the
// picture's size) or stretched over the whole control. The shells build their frames from these
// (imaTopL, imaTopC, ...); derived windows may use it for their own pictures too. Mouse
// presses, moves and releases are passed on as signals, so that a window can react to them
// without subclassing.
class TFrameImage : public QWidget {
    Q_OBJECT
public:
    enum class Fit { Natural, Stretch };

    explicit TFrameImage(Fit fit, QWidget* parent = nullptr);

    // A natural picture also resizes the control (fixed to the picture's size).
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    Fit FitMode() const { return fit_; }

    QSize sizeHint() const override;

signals:
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Fit fit_;
    QPixmap picture_;
};
