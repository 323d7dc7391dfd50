#pragma once

#include <string>

// How the core talks to the user. The core never shows anything itself: the GUI implements
// this with message boxes, tests with a scripted recorder, batch runs with standard error.
class Messenger {
public:
    enum class Answer { Yes, No, Cancel };
    // The icon of a question box: the question mark, the stop sign before an operation
    // that replaces the user's data, or none.
    enum class QuestionIcon { Question, Stop, None };

    virtual ~Messenger() = default;

    // Error box: error icon, the given title or the application's.
    virtual void ShowError(const std::u16string& text, const std::u16string& title = {}) = 0;
    // Information box: information icon, OK button, the given title or the application's.
    virtual void ShowInformation(const std::u16string& text, const std::u16string& title = {}) = 0;
    // Question with a title and the buttons Yes, No and Cancel; only Yes goes on.
    virtual Answer AskQuestion(const std::u16string& text, const std::u16string& title,
                               QuestionIcon icon = QuestionIcon::Question) = 0;
};

// The messenger that core code reports through. Until the program installs one, reports go
// to standard error and every question is answered with Cancel.
Messenger& CurrentMessenger();

// Installs a messenger (null restores the standard-error one). The caller keeps ownership
// and must keep it alive while installed.
void SetCurrentMessenger(Messenger* messenger);

// The one report of an operation that gave up for want of memory: an error box with
// MemoryMessages::kOutOfMemory.
void ReportOutOfMemory();
