#include "TestHook.h"

#include <deque>

namespace forms::TestHook {

namespace {

struct HookState {
    bool active = false;
    std::deque<int> msgBoxAnswers;
    std::deque<QString> dialogAnswers;
    std::vector<MsgBoxShown> msgBoxes;
    std::vector<DialogShown> dialogs;
    std::vector<int> ends;
};

HookState& hook() {
    static HookState state;
    return state;
}

void reset(bool active) {
    hook() = HookState{};
    hook().active = active;
}

}  // namespace

void enable() {
    reset(true);
}

void disable() {
    reset(false);
}

bool active() {
    return hook().active;
}

void queueMsgBoxAnswer(int answer) {
    hook().msgBoxAnswers.push_back(answer);
}

void queueDialogAnswer(const QString& path) {
    hook().dialogAnswers.push_back(path);
}

std::size_t pendingMsgBoxAnswers() {
    return hook().msgBoxAnswers.size();
}

std::size_t pendingDialogAnswers() {
    return hook().dialogAnswers.size();
}

const std::vector<MsgBoxShown>& msgBoxes() {
    return hook().msgBoxes;
}

const std::vector<DialogShown>& dialogs() {
    return hook().dialogs;
}

const std::vector<int>& ends() {
    return hook().ends;
}

bool answerMsgBox(int style, const QString& title, const QString& text, int defaultAnswer,
                  int& answer) {
    HookState& state = hook();
    if (!state.active) {
        return false;
    }
    answer = defaultAnswer;
    if (!state.msgBoxAnswers.empty()) {
        answer = state.msgBoxAnswers.front();
        state.msgBoxAnswers.pop_front();
    }
    state.msgBoxes.push_back({style, title, text, answer});
    return true;
}

bool answerDialog(const DialogShown& shown, QString& answer) {
    HookState& state = hook();
    if (!state.active) {
        return false;
    }
    answer.clear();
    if (!state.dialogAnswers.empty()) {
        answer = state.dialogAnswers.front();
        state.dialogAnswers.pop_front();
    }
    DialogShown record = shown;
    record.answer = answer;
    state.dialogs.push_back(record);
    return true;
}

bool recordEnd(int exitCode) {
    HookState& state = hook();
    if (!state.active) {
        return false;
    }
    state.ends.push_back(exitCode);
    return true;
}

}  // namespace forms::TestHook
