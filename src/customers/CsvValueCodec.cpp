#include "customers/CsvValueCodec.h"

namespace {

template <class Char, class Out> void EscapeInto(Out& out, std::basic_string_view<Char> value)
{
    for (const Char c : value) {
        switch (c) {
        case Char('\\'):
            out.push_back(Char('\\'));
            out.push_back(Char('\\'));
            break;
        case Char('\r'):
            out.push_back(Char('\\'));
            out.push_back(Char('r'));
            break;
        case Char('\n'):
            out.push_back(Char('\\'));
            out.push_back(Char('n'));
            break;
        case Char('"'):
            out.push_back(Char('"'));
            out.push_back(Char('"'));
            break;
        default:
            out.push_back(c);
        }
    }
}

}  // namespace

std::u16string CsvValueCodec::Escape(std::u16string_view value)
{
    std::u16string out;
    out.reserve(value.size() + 8);
    EscapeInto(out, value);
    return out;
}

void CsvValueCodec::AppendEscaped(std::string& out, std::string_view bytes)
{
    // Most values hold none of the four characters: they go in whole.
    size_t plain = 0;
    while (plain < bytes.size()) {
        const char c = bytes[plain];
        if (c == '\\' || c == '\r' || c == '\n' || c == '"')
            break;
        ++plain;
    }
    out.append(bytes.data(), plain);
    EscapeInto(out, bytes.substr(plain));
}

std::u16string CsvValueCodec::Decode(std::u16string_view value)
{
    if (value.find(u'\\') == std::u16string_view::npos)
        return std::u16string(value);
    std::u16string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char16_t c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t next = value[++i];
        if (next == u'r')
            out.push_back(u'\r');
        else if (next == u'n')
            out.push_back(u'\n');
        else if (next == u'\\')
            out.push_back(u'\\');
        else {
            out.push_back(u'\\');
            out.push_back(next);
        }
    }
    return out;
}
