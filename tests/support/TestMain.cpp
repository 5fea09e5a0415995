#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

namespace {
// Outside a scripted test, a box or a modal dialog would wait for a user who is not there:
// fail the test instead of hanging it.
class UnexpectedBoxes final : public MessageBoxes::Backend {
public:
    bool show(const MessageBoxes::Request& request) override {
        ADD_FAILURE() << "unexpected message box: " << request.text.toStdString();
        return false;
    }
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    UnexpectedBoxes unexpected;
    MessageBoxes::installBackend(&unexpected);
    ModalRunner::install([](QDialog& dialog) {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog.metaObject()->className();
        return int(QDialog::Rejected);
    });
    const int result = RUN_ALL_TESTS();
    ModalRunner::install({});
    MessageBoxes::installBackend(nullptr);
    return result;
}
