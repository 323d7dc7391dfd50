#include "ui/received/MeasureCache.h"

void MeasureCache::SetFont(const TCanvasFont& font)
{
    canvas_.SetFont(font);
    std::u16string key = font.name;
    key += u'\0';
    key += char16_t(font.size & 0xFFFF);
    key += char16_t(uint32_t(font.size) >> 16);
    key += char16_t(font.style);
    current_ = &fonts_[key];
}

int32_t MeasureCache::TextWidth(std::u16string_view text)
{
    if (current_ == nullptr) {
        ++misses_;
        return canvas_.TextWidth(text);
    }
    const auto found = current_->widths.find(std::u16string(text));
    if (found != current_->widths.end())
        return found->second;
    ++misses_;
    const int32_t width = canvas_.TextWidth(text);
    // Bounded: an invoice of a million different words forgets and starts again.
    if (current_->widths.size() >= kMaxTextsPerFont)
        current_->widths.clear();
    current_->widths.emplace(text, width);
    return width;
}

int32_t MeasureCache::TextHeight(std::u16string_view text)
{
    // Every text but the empty one has the font's line height.
    if (text.empty())
        return 0;
    if (current_ == nullptr) {
        ++misses_;
        return canvas_.TextHeight(text);
    }
    if (current_->height < 0) {
        ++misses_;
        current_->height = canvas_.TextHeight(text);
    }
    return current_->height;
}
