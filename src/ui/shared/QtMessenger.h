#pragma once

#include "foundation/Messenger.h"

class QWidget;

// Message boxes for the core's reports: error and information boxes and the Yes/No/Cancel
// question, all modal over the given parent (or the active window).
class QtMessenger final : public Messenger {
public:
    explicit QtMessenger(QWidget* parent = nullptr) : parent_(parent) {}

    void ShowError(const std::u16string& text, const std::u16string& title = {}) override;
    void ShowInformation(const std::u16string& text, const std::u16string& title = {}) override;
    Answer AskQuestion(const std::u16string& text, const std::u16string& title,
                       QuestionIcon icon = QuestionIcon::Question) override;

private:
    QWidget* Parent() const;

    QWidget* parent_;
};
