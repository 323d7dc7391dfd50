#include "foundation/Messenger.h"

#include "foundation/Utf8.h"
#include "messages/MemoryMessages.h"

#include <cstdio>

namespace {

class StderrMessenger final : public Messenger {
public:
    void ShowError(const std::u16string& text, const std::u16string&) override
    {
        std::fprintf(stderr, "Fehler: %s\n", Utf16ToUtf8(text).c_str());
    }
    void ShowInformation(const std::u16string& text, const std::u16string&) override
    {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(text).c_str());
    }
    Answer AskQuestion(const std::u16string& text, const std::u16string& title, QuestionIcon) override
    {
        std::fprintf(stderr, "%s: %s (abgebrochen)\n", Utf16ToUtf8(title).c_str(), Utf16ToUtf8(text).c_str());
        return Answer::Cancel;
    }
};

StderrMessenger stderrMessenger;
Messenger* current = nullptr;

}

Messenger& CurrentMessenger()
{
    return current ? *current : stderrMessenger;
}

void SetCurrentMessenger(Messenger* messenger)
{
    current = messenger;
}

void ReportOutOfMemory()
{
    CurrentMessenger().ShowError(std::u16string(MemoryMessages::kOutOfMemory));
}
