#pragma once

#include "chrome/PictureBox.h"

#include <QLabel>
#include <QString>
#include <QWidget>

// The white banner at the top of the entry and account dialogs: a large bold heading at the
// left and one of the program's pictures at the right end.
namespace HeadingBanner {

inline constexpr int kHeight = 56;

// Builds the banner into `parent`. `heading` and `picture` are the dialog's own controls,
// which the banner takes over, lays out and styles.
QWidget* make(QWidget* parent, QLabel* heading, PictureBox* picture, const QString& pictureName);

} // namespace HeadingBanner
