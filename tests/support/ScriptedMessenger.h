#pragma once

#include "foundation/Messenger.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A messenger for tests: records every box and answers questions from a script given in
// advance. A question without a scripted answer is recorded and answered with Cancel, and
// makes UnansweredQuestions() non-zero so the test can fail on it.
// Installed as the current messenger for its lifetime.
class ScriptedMessenger final : public Messenger {
public:
    enum class Kind { Error, Information, Question };
    struct Box {
        Kind kind;
        std::u16string text;
        std::u16string title;                        // as given; empty for the application's title
        QuestionIcon icon = QuestionIcon::Question;  // questions only
    };

    ScriptedMessenger();
    ~ScriptedMessenger() override;

    void AnswerNext(Answer answer) { answers_.push_back(answer); }
    // Runs look at the moment each box is shown (while it would be open), for instance to
    // see which files exist then.
    void WhenBoxShown(std::function<void(const Box&)> look) { look_ = std::move(look); }

    void ShowError(const std::u16string& text, const std::u16string& title = {}) override;
    void ShowInformation(const std::u16string& text, const std::u16string& title = {}) override;
    Answer AskQuestion(const std::u16string& text, const std::u16string& title,
                       QuestionIcon icon = QuestionIcon::Question) override;

    const std::vector<Box>& Boxes() const { return boxes_; }
    std::vector<std::u16string> Errors() const;
    int UnansweredQuestions() const { return unanswered_; }
    void Reset() { boxes_.clear(); }

private:
    std::vector<Box> boxes_;
    std::deque<Answer> answers_;
    int unanswered_ = 0;
    std::function<void(const Box&)> look_;
    Messenger* previous_;
};
