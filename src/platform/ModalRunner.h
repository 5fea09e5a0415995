#pragma once

#include <functional>

class QDialog;

// Shows a dialog modally. Tests install a runner that acts on the dialog instead of
// blocking in its event loop, and returns the result the dialog would have had.
namespace ModalRunner {
using Runner = std::function<int(QDialog&)>;

int run(QDialog& dialog);
// An empty runner restores the real modal loop.
void install(Runner runner);
// The runner installed now (empty for the real modal loop).
Runner installed();
} // namespace ModalRunner
