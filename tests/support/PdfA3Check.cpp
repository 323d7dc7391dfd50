#include "support/PdfA3Check.h"

#include "foundation/Cp1252.h"
#include "support/TempDir.h"

#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <bitset>
#include <map>
#include <set>

namespace {

using Handle = QPDFObjectHandle;

// The codes each font resource of a page is drawn with: Tf picks the font, Tj TJ ' and "
// draw strings in it.
class TextScanner : public QPDFObjectHandle::ParserCallbacks {
public:
    std::map<std::string, std::bitset<256>>& used;
    explicit TextScanner(std::map<std::string, std::bitset<256>>& u) : used(u) {}

    void handleObject(Handle object) override
    {
        if (!object.isOperator()) {
            operands_.push_back(object);
            return;
        }
        const std::string op = object.getOperatorValue();
        if (op == "Tf" && operands_.size() == 2 && operands_[0].isName())
            font_ = operands_[0].getName();
        else if ((op == "Tj" || op == "'" || op == "\"") && !operands_.empty())
            Mark(operands_.back());
        else if (op == "TJ" && !operands_.empty() && operands_.back().isArray())
            for (auto& item : operands_.back().aitems())
                Mark(item);
        operands_.clear();
    }
    void handleEOF() override {}

private:
    void Mark(Handle s)
    {
        if (!s.isString())
            return;
        for (const unsigned char c : s.getStringValue())
            used[font_].set(c);
    }
    std::vector<Handle> operands_;
    std::string font_;
};

// A PDF date D:YYYYMMDDHHmmSS+HH'mm' as an XMP date YYYY-MM-DDTHH:MM:SS+HH:MM; empty when it
// is not of that form.
std::string PdfDateAsXmp(const std::string& d)
{
    if (d.size() != 23 || d.compare(0, 2, "D:") != 0 || d[19] != '\'' || d[22] != '\'')
        return {};
    return d.substr(2, 4) + "-" + d.substr(6, 2) + "-" + d.substr(8, 2) + "T" + d.substr(10, 2) + ":" +
           d.substr(12, 2) + ":" + d.substr(14, 2) + d.substr(16, 3) + ":" + d.substr(20, 2);
}

// The text of the first element with the local name in the namespace.
std::string XmlValue(xmlNode* node, const char* ns, const char* name)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && n->ns && std::string(reinterpret_cast<const char*>(n->ns->href)) == ns &&
            std::string(reinterpret_cast<const char*>(n->name)) == name) {
            xmlChar* text = xmlNodeGetContent(n);
            std::string value = text ? reinterpret_cast<const char*>(text) : "";
            xmlFree(text);
            return value;
        }
        const std::string inner = XmlValue(n->children, ns, name);
        if (!inner.empty())
            return inner;
    }
    return {};
}

bool SubsetTagged(const std::string& name)
{
    // "/ABCDEF+Name"
    if (name.size() < 9 || name[0] != '/' || name[7] != '+')
        return false;
    for (int i = 1; i <= 6; ++i)
        if (name[size_t(i)] < 'A' || name[size_t(i)] > 'Z')
            return false;
    return true;
}

class Checker {
public:
    std::vector<std::string> lines;
    void Fail(const std::string& line) { lines.push_back(line); }

    void Run(const std::string& path)
    {
        const std::string bytes = ReadWholeFile(path);
        CheckHeader(bytes);
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        try {
            pdf.processFile(path.c_str());
        } catch (const std::exception& e) {
            Fail(std::string("qpdf cannot read the file: ") + e.what());
            return;
        }
        Handle trailer = pdf.getTrailer();
        if (!trailer.getKey("/ID").isArray() || trailer.getKey("/ID").getArrayNItems() != 2)
            Fail("trailer without /ID");
        if (trailer.hasKey("/Encrypt"))
            Fail("the file is encrypted");
        Handle root = pdf.getRoot();
        CheckMetadata(root, trailer.getKey("/Info"));
        CheckOutputIntent(root);
        CheckFiles(root);
        CheckFonts(pdf);
        CheckForbidden(pdf);
    }

private:
    void CheckHeader(const std::string& bytes)
    {
        if (bytes.compare(0, 9, "%PDF-1.7\n") != 0)
            Fail("header is not %PDF-1.7");
        const size_t end = bytes.find('\n', 9);
        int high = 0;
        if (end != std::string::npos && bytes[9] == '%' && end - 10 >= 4) {
            for (size_t i = 10; i < end; ++i)
                high += static_cast<unsigned char>(bytes[i]) > 127 ? 1 : 0;
        }
        if (high < 4)
            Fail("no binary comment after the header");
        // Stream data ends with an end-of-line marker before "endstream".
        for (size_t at = bytes.find("endstream"); at != std::string::npos; at = bytes.find("endstream", at + 9)) {
            if (at == 0 || (bytes[at - 1] != '\n' && bytes[at - 1] != '\r')) {
                Fail("endstream without an end-of-line marker before it");
                break;
            }
        }
    }

    void CheckMetadata(Handle root, Handle info)
    {
        Handle meta = root.getKey("/Metadata");
        if (!meta.isStream() || meta.getDict().getKey("/Subtype").unparse() != "/XML") {
            Fail("catalog without XMP /Metadata stream");
            return;
        }
        if (meta.getDict().hasKey("/Filter"))
            Fail("XMP metadata is compressed");
        const auto data = meta.getStreamData();
        const std::string xmp(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        if (xmp.find("id=\"W5M0MpCehiHzreSzNTczkc9d\"") == std::string::npos)
            Fail("XMP packet header without the standard id");
        xmlDoc* doc = xmlReadMemory(xmp.data(), int(xmp.size()), "xmp", nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        if (!doc) {
            Fail("XMP does not parse");
            return;
        }
        xmlNode* top = xmlDocGetRootElement(doc);
        const char* pdfaid = "http://www.aiim.org/pdfa/ns/id/";
        const char* xmpNs = "http://ns.adobe.com/xap/1.0/";
        if (XmlValue(top, pdfaid, "part") != "3" || XmlValue(top, pdfaid, "conformance") != "B")
            Fail("XMP without pdfaid part 3 conformance B");
        if (!info.isDictionary()) {
            Fail("trailer without /Info");
        } else {
            const auto date = [&](const char* key) {
                Handle d = info.getKey(key);
                return d.isString() ? PdfDateAsXmp(d.getStringValue()) : std::string();
            };
            const std::string created = date("/CreationDate"), modified = date("/ModDate");
            if (created.empty() || created != XmlValue(top, xmpNs, "CreateDate"))
                Fail("/Info /CreationDate differs from xmp:CreateDate");
            if (modified.empty() || modified != XmlValue(top, xmpNs, "ModifyDate"))
                Fail("/Info /ModDate differs from xmp:ModifyDate");
            const std::pair<const char*, std::pair<const char*, const char*>> texts[] = {
                {"/Title", {"http://purl.org/dc/elements/1.1/", "title"}},
                {"/Producer", {"http://ns.adobe.com/pdf/1.3/", "Producer"}},
                {"/Creator", {xmpNs, "CreatorTool"}}};
            for (const auto& [key, where] : texts) {
                const std::string value = info.getKey(key).isString() ? info.getKey(key).getUTF8Value() : "";
                if (value != XmlValue(top, where.first, where.second))
                    Fail(std::string("/Info ") + key + " differs from the XMP");
            }
        }
        xmlFreeDoc(doc);
    }

    void CheckOutputIntent(Handle root)
    {
        Handle intents = root.getKey("/OutputIntents");
        bool found = false;
        if (intents.isArray()) {
            for (auto& intent : intents.aitems()) {
                if (intent.getKey("/S").unparse() != "/GTS_PDFA1")
                    continue;
                found = true;
                Handle profile = intent.getKey("/DestOutputProfile");
                if (!profile.isStream()) {
                    Fail("OutputIntent without ICC profile");
                    continue;
                }
                if (profile.getDict().getKey("/N").unparse() != "3")
                    Fail("ICC profile /N is not 3");
                const auto data = profile.getStreamData();
                const std::string icc(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
                if (icc.size() < 128 || icc.compare(16, 4, "RGB ") != 0)
                    Fail("ICC profile is not an RGB profile");
            }
        }
        if (!found)
            Fail("no GTS_PDFA1 OutputIntent");
    }

    void CheckFiles(Handle root)
    {
        std::set<QPDFObjGen> listed;
        Handle af = root.getKey("/AF");
        if (af.isArray())
            for (auto& spec : af.aitems())
                listed.insert(spec.getObjGen());
        Handle names = root.getKey("/Names").getKey("/EmbeddedFiles").getKey("/Names");
        std::set<QPDFObjGen> named;
        std::string previous;
        if (names.isArray()) {
            for (int i = 0; i + 1 < names.getArrayNItems(); i += 2) {
                const std::string name = names.getArrayItem(i).getStringValue();
                if (name < previous)
                    Fail("EmbeddedFiles names not sorted");
                previous = name;
                Handle spec = names.getArrayItem(i + 1);
                named.insert(spec.getObjGen());
                CheckFileSpec(spec, name);
            }
        }
        if (named != listed)
            Fail("/AF and the EmbeddedFiles name tree disagree");
    }

    void CheckFileSpec(Handle spec, const std::string& name)
    {
        if (spec.getKey("/Type").unparse() != "/Filespec")
            Fail("Filespec without /Type /Filespec");
        if (!spec.getKey("/F").isString() || spec.getKey("/F").getStringValue() != name ||
            !spec.getKey("/UF").isString() || spec.getKey("/UF").getUTF8Value() != name)
            Fail("Filespec /F or /UF differs from its name " + name);
        if (!spec.getKey("/AFRelationship").isName())
            Fail("Filespec without /AFRelationship");
        Handle file = spec.getKey("/EF").getKey("/F");
        if (!file.isStream() || spec.getKey("/EF").getKey("/UF").getObjGen() != file.getObjGen()) {
            Fail("Filespec without embedded file stream");
            return;
        }
        Handle dict = file.getDict();
        if (dict.getKey("/Type").unparse() != "/EmbeddedFile" || !dict.getKey("/Subtype").isName())
            Fail("embedded file without /Type /EmbeddedFile and MIME /Subtype");
        const auto data = file.getStreamData();
        Handle size = dict.getKey("/Params").getKey("/Size");
        if (!size.isInteger() || size.getIntValue() != int64_t(data->getSize()))
            Fail("embedded file /Params /Size differs from its data");
        if (!dict.getKey("/Params").getKey("/ModDate").isString())
            Fail("embedded file without /ModDate");
    }

    void CheckFonts(QPDF& pdf)
    {
        std::map<QPDFObjGen, std::bitset<256>> usedByFont;
        std::map<QPDFObjGen, Handle> fonts;
        for (auto& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            std::map<std::string, std::bitset<256>> used;
            TextScanner scanner(used);
            try {
                page.parseContents(&scanner);
            } catch (const std::exception& e) {
                Fail(std::string("page contents do not parse: ") + e.what());
            }
            Handle resources = page.getObjectHandle().getKey("/Resources").getKey("/Font");
            for (const auto& [name, codes] : used) {
                Handle font = resources.getKey(name);
                if (!font.isDictionary()) {
                    Fail("text drawn in the unknown font " + name);
                    continue;
                }
                usedByFont[font.getObjGen()] |= codes;
            }
            if (resources.isDictionary())
                for (auto& [name, font] : resources.ditems())
                    fonts[font.getObjGen()] = font;
        }
        FT_Library library = nullptr;
        FT_Init_FreeType(&library);
        for (auto& [gen, font] : fonts)
            CheckFont(library, font, usedByFont[gen]);
        FT_Done_FreeType(library);
    }

    void CheckFont(FT_Library library, Handle font, const std::bitset<256>& used)
    {
        const std::string base = font.getKey("/BaseFont").unparse();
        Handle descriptor = font.getKey("/FontDescriptor");
        if (!descriptor.isDictionary()) {
            Fail(base + ": no font descriptor");
            return;
        }
        if (!SubsetTagged(base) || descriptor.getKey("/FontName").unparse() != base)
            Fail(base + ": not a subset-tagged name equal in BaseFont and FontName");
        if (!font.getKey("/ToUnicode").isStream())
            Fail(base + ": no ToUnicode map");
        Handle program = descriptor.getKey("/FontFile2");
        if (!program.isStream()) {
            Fail(base + ": no embedded TrueType program (FontFile2)");
            return;
        }
        const auto data = program.getStreamData();
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(library, data->getBuffer(), FT_Long(data->getSize()), 0, &face) != 0) {
            Fail(base + ": FreeType cannot read the font program");
            return;
        }
        bool cmap = false;
        for (int i = 0; i < face->num_charmaps; ++i) {
            if (face->charmaps[i]->platform_id == 3 && face->charmaps[i]->encoding_id == 1)
                cmap = FT_Set_Charmap(face, face->charmaps[i]) == 0;
        }
        if (!cmap)
            Fail(base + ": the program has no (3,1) cmap");
        const int first = font.getKey("/FirstChar").isInteger() ? font.getKey("/FirstChar").getIntValueAsInt() : -1;
        Handle widths = font.getKey("/Widths");
        for (unsigned code = 0; cmap && code < 256; ++code) {
            if (!used.test(code))
                continue;
            const FT_UInt glyph = FT_Get_Char_Index(face, DecodeCp1252Char(static_cast<unsigned char>(code)));
            if (glyph == 0)
                Fail(base + ": code " + std::to_string(code) + " draws the missing glyph 0");
            FT_Fixed advance = 0;
            FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance);
            const long expected = (long(advance) * 2000 + face->units_per_EM) / (2 * face->units_per_EM);
            const int index = int(code) - first;
            if (first < 0 || !widths.isArray() || index >= widths.getArrayNItems() ||
                widths.getArrayItem(index).getNumericValue() != double(expected))
                Fail(base + ": /Widths of code " + std::to_string(code) + " differs from the program's " +
                     std::to_string(expected));
        }
        FT_Done_Face(face);
    }

    void CheckForbidden(QPDF& pdf)
    {
        for (auto& object : pdf.getAllObjects()) {
            Handle dict = object.isStream() ? object.getDict() : object;
            if (!dict.isDictionary())
                continue;
            if (dict.hasKey("/SMask"))
                Fail("a soft mask (/SMask)");
            if (dict.getKey("/Interpolate").isBool() && dict.getKey("/Interpolate").getBoolValue())
                Fail("/Interpolate true");
            if (dict.getKey("/Filter").unparse().find("/LZWDecode") != std::string::npos)
                Fail("LZW compression");
        }
    }
};

}

std::vector<std::string> CheckPdfA3(const std::string& path)
{
    Checker checker;
    checker.Run(path);
    return checker.lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}
