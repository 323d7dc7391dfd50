#include "foundation/ShowInfo.h"

#include "foundation/Messenger.h"

void ShowInfo(const std::u16string& text)
{
    CurrentMessenger().ShowInformation(text);
}
