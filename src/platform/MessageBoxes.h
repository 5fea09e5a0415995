#pragma once

#include <QString>

// Every message box of the program goes through here, so that tests can replace the
// backend with a scripted one that records each box and answers each question.
namespace MessageBoxes {

enum class Icon { None, Information, Question, Exclamation, Error };
enum class Buttons { Ok, YesNo };

struct Request {
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString caption;
    QString text;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Shows the box and returns true for OK or Yes, false for No.
    virtual bool show(const Request& request) = 0;
    // Shows the box and returns at once, leaving it open until the user dismisses it.
    virtual void notify(const Request& request) { show(request); }
};

// Replaces the backend; nullptr restores the real message boxes. The caller keeps ownership.
void installBackend(Backend* backend);
// The backend in use now (nullptr for the real message boxes).
Backend* installedBackend();

// A box blocks the window the user works in (and the windows beneath it) until dismissed,
// never the program's other windows: a reminder popping up meanwhile can still be handled.
bool show(const Request& request);
// A box for what nobody asked for (a fault found by a timer): it blocks nothing and the
// program goes on while it is open.
void notify(const Request& request);

// Information box: caption "系统提示", information icon, OK.
void information(const QString& text);
// Question box: caption "系统提示", question icon, Yes and No; true for Yes.
bool question(const QString& text);
// The application's default error box: caption the application title, error icon, OK.
void defaultError(const QString& text);
// Plain detail box: caption the application title, no icon, OK.
void detail(const QString& text);

} // namespace MessageBoxes
