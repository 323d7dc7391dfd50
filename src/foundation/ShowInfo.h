#pragma once

#include <string>

// Information box with the text, the information icon and an OK button, under the
// application's default title.
void ShowInfo(const std::u16string& text);
