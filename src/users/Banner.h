#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

// The white heading banner at the top of the account dialogs: a large bold heading at the left
// and a picture at the right end.
namespace Banner {

inline constexpr int kHeight = 56;

// Builds the banner into `parent`; `heading` and `picture` are the dialog's own labels, which
// the banner lays out and styles. `pictureName` is one of the program's pictures.
QWidget* Make(QWidget* parent, QLabel* heading, QLabel* picture, const QString& pictureName);

} // namespace Banner
