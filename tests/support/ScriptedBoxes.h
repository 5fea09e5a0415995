#pragma once

#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Replaces the message boxes for the life of the object: records every box and answers
// each question from a queue (Yes when the queue is empty, unless told otherwise).
class ScriptedBoxes final : public MessageBoxes::Backend {
public:
    ScriptedBoxes();
    ~ScriptedBoxes() override;
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    bool show(const MessageBoxes::Request& request) override;
    void notify(const MessageBoxes::Request& request) override;

    void answerNext(bool yes) { answers_.push_back(yes); }
    void setDefaultAnswer(bool yes) { defaultAnswer_ = yes; }
    // Runs inside the box, before it returns (for example to look at the windows then).
    void onShow(std::function<void(const MessageBoxes::Request&)> hook) { hook_ = std::move(hook); }

    const std::vector<MessageBoxes::Request>& all() const { return shown_; }
    QStringList texts() const;
    int count() const { return static_cast<int>(shown_.size()); }
    const MessageBoxes::Request& last() const { return shown_.back(); }
    // The last box was shown without blocking anything (a notice).
    bool lastWasNotice() const { return !notices_.empty() && notices_.back(); }
    void clear() {
        shown_.clear();
        notices_.clear();
    }

private:
    std::vector<MessageBoxes::Request> shown_;
    std::vector<bool> notices_;
    std::deque<bool> answers_;
    bool defaultAnswer_ = true;
    std::function<void(const MessageBoxes::Request&)> hook_;
    MessageBoxes::Backend* previous_ = nullptr;
};

// Replaces the modal loop for the life of the object: each dialog shown modally is handed
// to the script, whose return value is the dialog's result.
class ScriptedModal {
public:
    explicit ScriptedModal(ModalRunner::Runner script) : previous_(ModalRunner::installed()) {
        ModalRunner::install(std::move(script));
    }
    ~ScriptedModal() { ModalRunner::install(previous_); }
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;

private:
    ModalRunner::Runner previous_;
};
