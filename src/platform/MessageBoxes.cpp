#include "platform/MessageBoxes.h"

#include "platform/AppInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Texts break lines with carriage returns, as the platform's message boxes read them;
// Qt's label breaks only on line feeds.
QString forDisplay(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void fill(QMessageBox& box, const MessageBoxes::Request& request) {
    box.setWindowTitle(request.caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(forDisplay(request.text));
    switch (request.icon) {
    case MessageBoxes::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageBoxes::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageBoxes::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageBoxes::Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageBoxes::Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
}

class WidgetBackend final : public MessageBoxes::Backend {
public:
    bool show(const MessageBoxes::Request& request) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowModality(Qt::WindowModal);
        fill(box, request);
        if (request.buttons == MessageBoxes::Buttons::YesNo) {
            QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
            box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.exec();
            return box.clickedButton() == yes;
        }
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return true;
    }

    void notify(const MessageBoxes::Request& request) override {
        auto* box = new QMessageBox;
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setAttribute(Qt::WA_QuitOnClose, false);
        box->setWindowModality(Qt::NonModal);
        fill(*box, request);
        box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box->show();
    }
};

WidgetBackend widgetBackend;
MessageBoxes::Backend* activeBackend = &widgetBackend;

} // namespace

void MessageBoxes::installBackend(Backend* backend) {
    activeBackend = backend ? backend : &widgetBackend;
}

MessageBoxes::Backend* MessageBoxes::installedBackend() {
    return activeBackend == &widgetBackend ? nullptr : activeBackend;
}

bool MessageBoxes::show(const Request& request) {
    return activeBackend->show(request);
}

void MessageBoxes::notify(const Request& request) {
    activeBackend->notify(request);
}

void MessageBoxes::information(const QString& text) {
    show({Icon::Information, Buttons::Ok, AppInfo::kNoticeCaption, text});
}

bool MessageBoxes::question(const QString& text) {
    return show({Icon::Question, Buttons::YesNo, AppInfo::kNoticeCaption, text});
}

void MessageBoxes::defaultError(const QString& text) {
    show({Icon::Error, Buttons::Ok, AppInfo::kApplicationTitle, text});
}

void MessageBoxes::detail(const QString& text) {
    show({Icon::None, Buttons::Ok, AppInfo::kApplicationTitle, text});
}
