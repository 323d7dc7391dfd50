#include "customers/CsvLineParser.h"

#include "customers/CsvValueCodec.h"

#include <cstdint>

namespace {

// A quoted line read in one pass. The reading is defined by taking characters out of the
// line (each opening and closing quote, and a few more in the case of a value that opens
// with a doubled quote); `dead` marks what has been taken out, so that a long line costs
// linear time instead of one copy of the line per value.
class QuotedLine {
public:
    explicit QuotedLine(std::u16string_view line) : line_(line), n_(line.size()), dead_(line.size(), 0) {}

    std::vector<std::u16string> Read(size_t maxValues)
    {
        std::vector<std::u16string> values;
        // Every character before `cursor` that is still in the line is not a double quote.
        size_t cursor = 0;
        while (values.size() < maxValues) {
            const size_t open = FindQuote(cursor);
            if (open == n_)
                break;
            dead_[open] = 1;
            const size_t p = NextAlive(open + 1);
            const size_t q = FindQuote(p);
            if (q == n_)
                break;  // the unclosed rest yields no value
            if (q == p && OpensWithDoubledQuote(q, values, cursor))
                continue;
            size_t close = n_;
            std::u16string value;
            size_t k = p;
            while (true) {
                const size_t quote = FindQuote(k);
                if (quote == n_)
                    break;
                AppendAlive(value, k, quote);
                const size_t after = NextAlive(quote + 1);
                if (after < n_ && line_[after] == u'"') {
                    value.push_back(u'"');  // two in a row stand for one
                    k = after + 1;
                    continue;
                }
                close = quote;
                break;
            }
            if (close == n_)
                break;  // never closed
            values.push_back(std::move(value));
            cursor = close + 1;
        }
        return values;
    }

private:
    // The value that opens with two double quotes and an ordinary character: it runs from
    // the second opening quote up to the second double quote after it, which closes it.
    // That closing quote and the character before it are taken out of the line; when that
    // character is not the first of the two quotes, that quote opens the next value.
    bool OpensWithDoubledQuote(size_t q, std::vector<std::u16string>& values, size_t& cursor)
    {
        const size_t t = NextAlive(q + 1);
        if (t == n_ || line_[t] == u'"' || line_[t] == u',' || line_[t] == u';')
            return false;
        const size_t first = FindQuote(t + 1);
        const size_t second = first < n_ ? FindQuote(first + 1) : n_;
        if (second == n_)
            return false;
        std::u16string value;
        AppendAlive(value, q, second);
        dead_[q] = 1;
        dead_[second] = 1;
        size_t before = second;
        do
            --before;
        while (dead_[before]);  // stops at `first` at the latest
        dead_[before] = 1;
        values.push_back(std::move(value));
        cursor = t;
        return true;
    }

    size_t NextAlive(size_t i) const
    {
        while (i < n_ && dead_[i])
            ++i;
        return i;
    }
    size_t FindQuote(size_t i) const
    {
        while (i < n_ && (dead_[i] || line_[i] != u'"'))
            ++i;
        return i;
    }
    void AppendAlive(std::u16string& value, size_t from, size_t to) const
    {
        for (size_t k = from; k < to; ++k) {
            if (!dead_[k])
                value.push_back(line_[k]);
        }
    }

    std::u16string_view line_;
    size_t n_;
    std::vector<uint8_t> dead_;
};

}  // namespace

std::vector<std::u16string> CsvLineParser::Values(std::u16string_view line, size_t maxValues)
{
    std::vector<std::u16string> values =
        !line.empty() && line.front() == u'"' ? QuotedValues(line, maxValues) : PlainValues(line, maxValues);
    for (std::u16string& value : values)
        value = CsvValueCodec::Decode(value);
    return values;
}

std::vector<std::u16string> CsvLineParser::PlainValues(std::u16string_view line, size_t maxValues)
{
    std::vector<std::u16string> values;
    size_t start = 0;
    while (start < line.size() && values.size() < maxValues) {
        // A value that opens with a double quote, as spreadsheet programs write a value that
        // holds ";", a quote or a line break: up to the closing quote, two quotes in a row
        // standing for one, then whatever follows up to the separator. Never closed, it is
        // an ordinary value.
        if (line[start] == u'"') {
            std::u16string value;
            size_t k = start + 1;
            bool closed = false;
            while (k < line.size()) {
                const size_t quote = line.find(u'"', k);
                if (quote == std::u16string_view::npos)
                    break;
                value.append(line.substr(k, quote - k));
                if (quote + 1 < line.size() && line[quote + 1] == u'"') {
                    value.push_back(u'"');
                    k = quote + 2;
                    continue;
                }
                k = quote + 1;
                closed = true;
                break;
            }
            if (closed) {
                const size_t separator = line.find(u';', k);
                const size_t end = separator == std::u16string_view::npos ? line.size() : separator;
                value.append(line.substr(k, end - k));
                values.push_back(std::move(value));
                if (separator == std::u16string_view::npos)
                    break;
                start = separator + 1;
                continue;
            }
        }
        const size_t separator = line.find(u';', start);
        if (separator == std::u16string_view::npos) {
            values.emplace_back(line.substr(start));
            break;
        }
        values.emplace_back(line.substr(start, separator - start));
        start = separator + 1;
    }
    return values;
}

std::vector<std::u16string> CsvLineParser::QuotedValues(std::u16string_view line, size_t maxValues)
{
    if (maxValues == 0)
        return {};
    return QuotedLine(line).Read(maxValues);
}
