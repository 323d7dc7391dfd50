#include "support/ScriptedMessenger.h"

ScriptedMessenger::ScriptedMessenger() : previous_(&CurrentMessenger())
{
    SetCurrentMessenger(this);
}

ScriptedMessenger::~ScriptedMessenger()
{
    SetCurrentMessenger(previous_);
}

void ScriptedMessenger::ShowError(const std::u16string& text, const std::u16string& title)
{
    boxes_.push_back({Kind::Error, text, title, {}});
    if (look_)
        look_(boxes_.back());
}

void ScriptedMessenger::ShowInformation(const std::u16string& text, const std::u16string& title)
{
    boxes_.push_back({Kind::Information, text, title, {}});
    if (look_)
        look_(boxes_.back());
}

Messenger::Answer ScriptedMessenger::AskQuestion(const std::u16string& text, const std::u16string& title,
                                                 QuestionIcon icon)
{
    boxes_.push_back({Kind::Question, text, title, icon});
    if (look_)
        look_(boxes_.back());
    if (answers_.empty()) {
        ++unanswered_;
        return Answer::Cancel;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<std::u16string> ScriptedMessenger::Errors() const
{
    std::vector<std::u16string> errors;
    for (const Box& box : boxes_) {
        if (box.kind == Kind::Error)
            errors.push_back(box.text);
    }
    return errors;
}
