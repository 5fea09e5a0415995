#pragma once

#include "app/Autostart.h"
#include "app/MainWindow.h"
#include "schedule/ReminderPolling.h"
#include "schedule/SoundPlayer.h"
#include "store/Session.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

// What the benchmarks of the main window share: a window without sound or autostart whose
// polls run only when a benchmark runs them, and the road from a successful login to it.
namespace BenchWindow {

class Silence final : public SoundPlayer {
public:
    void play(const QString&) override {}
};

class NoAutostart final : public Autostart {
public:
    void writeEntry(const QString&) override {}
    void removeEntry() override {}
};

inline std::unique_ptr<MainWindow> mainWindow(Session& session) {
    auto window = std::make_unique<MainWindow>(session, std::make_unique<NoAutostart>(),
                                               std::make_unique<Silence>());
    auto* polling = window->findChild<ReminderPolling*>("polling");
    for (ReminderKind kind : kAllReminderKinds)
        polling->pollTimer(kind)->stop();
    return window;
}

// Times the road from a successful login check to the window on the screen with the user's
// lists, once per iteration; `showsItsRows` checks what the window shows.
inline void timeLoginToMainWindow(benchmark::State& state, Session& session,
                                  const std::function<bool(const MainWindow&)>& showsItsRows) {
    for (auto _ : state) {
        state.PauseTiming();
        auto window = mainWindow(session);
        state.ResumeTiming();
        window->showGreeting(session.currentUserName);
        window->applyPermissions(session.currentUserKey);
        window->reloadLists();
        window->show();
        window->repaint();
        state.PauseTiming();
        if (!showsItsRows(*window))
            state.SkipWithError("wrong row count");
        window.reset();
        // What the window left queued (its login request among them) goes with it.
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace BenchWindow
