#include "support/ScriptedBoxes.h"

ScriptedBoxes::ScriptedBoxes() : previous_(MessageBoxes::InstalledBackend()) {
    MessageBoxes::InstallBackend(this);
}

ScriptedBoxes::~ScriptedBoxes() {
    MessageBoxes::InstallBackend(previous_);
}

void ScriptedBoxes::Notify(const MessageBoxes::Request& request) {
    Show(request);
    notices_.back() = true;
}

bool ScriptedBoxes::Show(const MessageBoxes::Request& request) {
    shown_.push_back(request);
    notices_.push_back(false);
    if (hook_)
        hook_(request);
    if (request.buttons != MessageBoxes::Buttons::YesNo)
        return true;
    if (answers_.empty())
        return defaultAnswer_;
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QStringList ScriptedBoxes::Texts() const {
    QStringList texts;
    for (const auto& request : shown_)
        texts << request.text;
    return texts;
}
