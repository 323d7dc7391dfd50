#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

class TOutputCanvas;

// Fills lines character by character from x0, at most `width` wide, starting at y, in the
// canvas's current font. A word that does not fit moves whole to the next line; a line with
// no space after its first character is cut after the first character that overflows, which
// stays on it. A carriage return ends the line (also an empty one); a line feed is never
// drawn and never breaks a line on its own. Lines advance by the height of a space.
//
// beforeCharacter, when given, runs before every character with the running y (the closing
// text breaks the page there). With advanceAfterLast the y moves on by one line after the
// last line as well (the descriptions of the positions table). Returns the y reached.
int32_t CharWrap(TOutputCanvas& canvas, std::u16string_view text, int32_t x0, int32_t width, int32_t y,
                 const std::function<void(int32_t& y)>& beforeCharacter, bool advanceAfterLast);
