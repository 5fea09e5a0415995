#include "support/ScriptedBoxes.h"

ScriptedBoxes::ScriptedBoxes() : previous_(MessageBoxes::installedBackend()) {
    MessageBoxes::installBackend(this);
}

ScriptedBoxes::~ScriptedBoxes() {
    MessageBoxes::installBackend(previous_);
}

void ScriptedBoxes::notify(const MessageBoxes::Request& request) {
    show(request);
    notices_.back() = true;
}

bool ScriptedBoxes::show(const MessageBoxes::Request& request) {
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

QStringList ScriptedBoxes::texts() const {
    QStringList texts;
    for (const auto& request : shown_)
        texts << request.text;
    return texts;
}
