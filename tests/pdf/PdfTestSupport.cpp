#include "PdfTestSupport.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <regex>
#include <stdexcept>
#include <sys/wait.h>

ToolResult RunTool(const std::string& command)
{
    ToolResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quote(const std::string& path)
{
    std::string out = "'";
    for (const char c : path) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

void ExpectValidPdf(const std::string& path)
{
    const ToolResult r = RunTool("qpdf --check " + Quote(path));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("No syntax or stream encoding errors found"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("WARNING"), std::string::npos) << r.output;

    const std::vector<std::string> fonts = Lines(PdfFonts(path));
    ASSERT_GE(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].substr(0, 4), "name");
    for (size_t i = 2; i < fonts.size(); ++i) {
        // The name may contain spaces; the columns after it are fixed.
        EXPECT_TRUE(std::regex_search(fonts[i], std::regex(" TrueType +WinAnsi +no +no +no +[0-9]+ +0 *$")))
            << fonts[i];
    }
    const ToolResult text = RunTool("pdftotext -enc UTF-8 " + Quote(path) + " /dev/null");
    EXPECT_EQ(text.exitCode, 0) << text.output;
    EXPECT_EQ(text.output, "");
}

std::string PdfToText(const std::string& path)
{
    const ToolResult r = RunTool("pdftotext -enc UTF-8 " + Quote(path) + " -");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return r.output;
}

std::string PdfFonts(const std::string& path)
{
    const ToolResult r = RunTool("pdffonts " + Quote(path));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return r.output;
}

std::string Inflate(const std::string& compressed)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw std::runtime_error("inflateInit");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = uInt(compressed.size());
    std::string out;
    char buffer[65536];
    int rc;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) {
            inflateEnd(&z);
            throw std::runtime_error("damaged zlib stream");
        }
        out.append(buffer, sizeof buffer - z.avail_out);
    } while (rc != Z_STREAM_END);
    const bool trailing = z.avail_in != 0;
    inflateEnd(&z);
    if (trailing)
        throw std::runtime_error("bytes after the zlib stream");
    return out;
}

PdfFile::PdfFile(std::string bytes) : bytes_(std::move(bytes))
{
    const size_t sx = bytes_.rfind("\nstartxref\n");
    if (sx == std::string::npos)
        throw std::runtime_error("no startxref");
    startxref_ = std::stoll(bytes_.substr(sx + 11));
    size_t p = size_t(startxref_);
    if (bytes_.compare(p, 5, "xref\n") != 0)
        throw std::runtime_error("startxref does not point at xref");
    p += 5;
    const size_t lineEnd = bytes_.find('\n', p);
    const std::string header = bytes_.substr(p, lineEnd - p);
    if (header.compare(0, 2, "0 ") != 0)
        throw std::runtime_error("xref subsection does not start at 0");
    const size_t count = std::stoul(header.substr(2));
    p = lineEnd + 1;
    for (size_t i = 0; i < count; ++i) {
        if (p + 20 > bytes_.size())
            throw std::runtime_error("xref cut short");
        entries_.push_back(bytes_.substr(p, 20));
        offsets_.push_back(std::stoll(bytes_.substr(p, 10)));
        p += 20;
    }
}

std::string PdfFile::Object(size_t number) const
{
    const size_t start = size_t(Offset(number));
    const std::string head = std::to_string(number) + " 0 obj\n";
    if (bytes_.compare(start, head.size(), head) != 0)
        throw std::runtime_error("object " + std::to_string(number) + " not at its offset");
    size_t end;
    if (bytes_.compare(start + head.size(), 2, "<<") == 0 &&
        bytes_.find("stream\n", start) < bytes_.find("endobj\n", start)) {
        const std::string raw = RawStream(number);
        end = bytes_.find("endobj\n", bytes_.find("stream\n", start) + 7 + raw.size());
    } else {
        end = bytes_.find("endobj\n", start);
    }
    return bytes_.substr(start, end + 7 - start);
}

std::string PdfFile::RawStream(size_t number) const
{
    const size_t start = size_t(Offset(number));
    const size_t dict = bytes_.find('\n', start) + 1;
    const size_t lengthAt = bytes_.find("/Length ", dict);
    const std::string rest = bytes_.substr(lengthAt + 8, 40);
    size_t length;
    if (rest.find(" 0 R") != std::string::npos && rest.find(" 0 R") < rest.find('\n')) {
        const size_t lengthObject = std::stoul(rest);
        const size_t lo = size_t(Offset(lengthObject));
        const size_t valueAt = bytes_.find('\n', lo) + 1;
        length = std::stoul(bytes_.substr(valueAt, 20));
    } else {
        length = std::stoul(rest);
    }
    const size_t data = bytes_.find("stream\n", dict) + 7;
    return bytes_.substr(data, length);
}

std::string PdfFile::PageContent(int page) const
{
    return Inflate(RawStream(size_t(2 * page)));
}

std::string PdfFile::WithoutId() const
{
    std::string copy = bytes_;
    const size_t at = copy.find("/ID [ <");
    if (at != std::string::npos) {
        for (size_t i = at + 7; i < copy.size() && copy[i] != ' '; ++i) {
            if (copy[i] != '<' && copy[i] != '>')
                copy[i] = '0';
        }
    }
    return copy;
}

PdfFile WritePdf(const std::string& path, const std::function<void(TPDFCanvas&)>& draw,
                 const std::function<void(TPDFCanvas&)>& before)
{
    TPDFCanvas canvas;
    if (before)
        before(canvas);
    if (!canvas.BeginDoc(path))
        throw std::runtime_error("BeginDoc failed for " + path);
    draw(canvas);
    canvas.EndDoc();
    ExpectValidPdf(path);
    return PdfFile(ReadWholeFile(path));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            if (start < text.size())
                lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
