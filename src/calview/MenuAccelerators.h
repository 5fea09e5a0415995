#pragma once

// Automatic accelerator keys for a popup menu and its submenus: each item gets the first letter
// or digit of its caption that no item before it in the same menu uses, marked with "&", so the
// menus can be driven from the keyboard. Captions without a free letter or digit (the Chinese
// ones) keep none; separators are left alone.

class QMenu;

namespace MenuAccelerators {

void assign(QMenu* menu);

} // namespace MenuAccelerators
