#include "pdf/PdfA3Document.h"

#include "foundation/Utf8.h"
#include "pdf/PdfA3Text.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfObjectWriter.h"

#include <lcms2.h>

#include <algorithm>
#include <utility>

namespace {

// One property of the Factur-X extension schema: its name and what it holds.
struct FxProperty {
    const char* name;
    const char* description;
};
constexpr FxProperty kFxProperties[] = {
    {"DocumentFileName", "The name of the embedded XML document"},
    {"DocumentType", "The type of the hybrid document in capital letters, e.g. INVOICE or ORDER"},
    {"Version", "The actual version of the standard applying to the embedded XML document"},
    {"ConformanceLevel", "The conformance level of the embedded XML document"},
};

constexpr const char* kFxNamespace = "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#";

void AddTextLine(std::string& xmp, const char* tag, const std::string& value)
{
    xmp += "   <";
    xmp += tag;
    xmp += '>';
    xmp += value;
    xmp += "</";
    xmp += tag;
    xmp += ">\n";
}

void AddAlt(std::string& xmp, const char* tag, std::u16string_view value)
{
    xmp += "   <";
    xmp += tag;
    xmp += "><rdf:Alt><rdf:li xml:lang=\"x-default\">";
    xmp += XmlEscaped(value);
    xmp += "</rdf:li></rdf:Alt></";
    xmp += tag;
    xmp += ">\n";
}

}

PdfA3Document::PdfA3Document(PdfA3Settings settings) : settings_(std::move(settings)) {}

std::string PdfA3Document::Xmp() const
{
    const PdfA3Settings& s = settings_;
    const std::string date = XmpDateText(s.time, s.utcOffsetMinutes);
    std::string xmp = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                      " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                      "  <rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
                      "   <pdfaid:part>3</pdfaid:part>\n"
                      "   <pdfaid:conformance>B</pdfaid:conformance>\n"
                      "  </rdf:Description>\n"
                      "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                      "   <dc:format>application/pdf</dc:format>\n";
    if (!s.title.empty())
        AddAlt(xmp, "dc:title", s.title);
    if (!s.author.empty())
        xmp += "   <dc:creator><rdf:Seq><rdf:li>" + XmlEscaped(s.author) + "</rdf:li></rdf:Seq></dc:creator>\n";
    if (!s.subject.empty())
        AddAlt(xmp, "dc:description", s.subject);
    xmp += "  </rdf:Description>\n"
           "  <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n";
    AddTextLine(xmp, "pdf:Producer", XmlEscaped(s.producer));
    xmp += "  </rdf:Description>\n"
           "  <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n";
    if (!s.creator.empty())
        AddTextLine(xmp, "xmp:CreatorTool", XmlEscaped(s.creator));
    AddTextLine(xmp, "xmp:CreateDate", date);
    AddTextLine(xmp, "xmp:ModifyDate", date);
    AddTextLine(xmp, "xmp:MetadataDate", date);
    xmp += "  </rdf:Description>\n";

    if (!s.fxConformanceLevel.empty()) {
        xmp += "  <rdf:Description rdf:about=\"\"\n"
               "    xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
               "    xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
               "    xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
               "   <pdfaExtension:schemas>\n    <rdf:Bag>\n     <rdf:li rdf:parseType=\"Resource\">\n"
               "      <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>\n"
               "      <pdfaSchema:namespaceURI>";
        xmp += kFxNamespace;
        xmp += "</pdfaSchema:namespaceURI>\n"
               "      <pdfaSchema:prefix>fx</pdfaSchema:prefix>\n"
               "      <pdfaSchema:property>\n       <rdf:Seq>\n";
        for (const FxProperty& p : kFxProperties) {
            xmp += "        <rdf:li rdf:parseType=\"Resource\">\n         <pdfaProperty:name>";
            xmp += p.name;
            xmp += "</pdfaProperty:name>\n"
                   "         <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
                   "         <pdfaProperty:category>external</pdfaProperty:category>\n"
                   "         <pdfaProperty:description>";
            xmp += p.description;
            xmp += "</pdfaProperty:description>\n        </rdf:li>\n";
        }
        xmp += "       </rdf:Seq>\n      </pdfaSchema:property>\n     </rdf:li>\n    </rdf:Bag>\n"
               "   </pdfaExtension:schemas>\n  </rdf:Description>\n"
               "  <rdf:Description rdf:about=\"\" xmlns:fx=\"";
        xmp += kFxNamespace;
        xmp += "\">\n";
        AddTextLine(xmp, "fx:DocumentType", XmlEscaped(std::string_view(s.fxDocumentType)));
        const std::string fileName = s.attachments.empty() ? std::string() : s.attachments.front().fileName;
        AddTextLine(xmp, "fx:DocumentFileName", XmlEscaped(std::string_view(fileName)));
        AddTextLine(xmp, "fx:Version", XmlEscaped(std::string_view(s.fxVersion)));
        AddTextLine(xmp, "fx:ConformanceLevel", XmlEscaped(std::string_view(s.fxConformanceLevel)));
        xmp += "  </rdf:Description>\n";
    }
    xmp += " </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
    return xmp;
}

std::string PdfA3Document::SrgbProfile()
{
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    if (!profile)
        return {};
    // Version 2 profiles are read by every PDF 1.7 reader and accepted in PDF/A-1 to 3;
    // Little CMS writes the curves then as sampled tables.
    cmsSetProfileVersion(profile, 2.1);
    std::string bytes;
    cmsUInt32Number size = 0;
    if (cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
        bytes.resize(size);
        if (!cmsSaveProfileToMem(profile, bytes.data(), &size))
            bytes.clear();
        else
            bytes.resize(size);
    }
    cmsCloseProfile(profile);
    return bytes;
}

void PdfA3Document::WriteObjects(PdfObjectWriter& out)
{
    const PdfA3Settings& s = settings_;
    const std::string xmp = Xmp();
    std::string dict = "<< /Type /Metadata /Subtype /XML /Length ";
    AppendInt(dict, int64_t(xmp.size()));
    dict += " >>";
    metadata_ = out.WriteStreamObject(dict, xmp, PdfObjectWriter::StreamEnd::kLineFeed);

    const std::string icc = SrgbProfile();
    if (icc.empty())
        out.OutOfMemory("Das Farbprofil sRGB konnte nicht erzeugt werden");
    profile_ = out.WriteDeflatedStreamObject("/N 3 ", icc);

    WriteAttachments(out);

    const std::string date = PdfByteString(PdfDateText(s.time, s.utcOffsetMinutes));
    info_ = out.BeginDictObject();
    const std::pair<const char*, const std::u16string*> texts[] = {{"/Title ", &s.title},
                                                                   {"/Author ", &s.author},
                                                                   {"/Subject ", &s.subject},
                                                                   {"/Creator ", &s.creator},
                                                                   {"/Producer ", &s.producer}};
    for (const auto& [key, value] : texts) {
        if (!value->empty())
            out.PutLine(key + PdfTextString(*value));
    }
    out.PutLine("/CreationDate " + date);
    out.PutLine("/ModDate " + date);
    out.EndDictObject();
}

void PdfA3Document::WriteAttachments(PdfObjectWriter& out)
{
    const PdfA3Settings& s = settings_;
    const std::string date = PdfByteString(PdfDateText(s.time, s.utcOffsetMinutes));
    fileSpecs_.clear();
    for (const PdfA3Attachment& a : s.attachments) {
        std::string entries =
            "/Type /EmbeddedFile /Subtype " + PdfName(a.mimeType) + " /Params << /ModDate " + date + " /Size ";
        AppendInt(entries, int64_t(a.data.size()));
        entries += " >> ";
        const int32_t file = out.WriteDeflatedStreamObject(entries, a.data);

        const int32_t spec = out.BeginDictObject();
        out.PutLine("/Type /Filespec /F " + PdfByteString(a.fileName) + " /UF " +
                    PdfTextString(Utf8ToUtf16(a.fileName)));
        out.PutLine("/Desc " + PdfTextString(a.description) + " /AFRelationship " + PdfName(a.relationship));
        std::string ef = "/EF << /F ";
        AppendInt(ef, file);
        ef += " 0 R /UF ";
        AppendInt(ef, file);
        ef += " 0 R >>";
        out.PutLine(ef);
        out.EndDictObject();
        fileSpecs_.emplace_back(a.fileName, spec);
    }
    // A name tree's keys are in byte order.
    std::stable_sort(fileSpecs_.begin(), fileSpecs_.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
}

std::string PdfA3Document::CatalogEntries() const
{
    std::string lines = "/Metadata ";
    AppendInt(lines, metadata_);
    lines += " 0 R\n/Lang " + PdfByteString(settings_.language) + "\n";
    lines += "/OutputIntents [<< /Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier "
             "(sRGB IEC61966-2.1) /Info (sRGB IEC61966-2.1) /DestOutputProfile ";
    AppendInt(lines, profile_);
    lines += " 0 R >>]\n";
    if (!fileSpecs_.empty()) {
        std::string af = "/AF [";
        std::string names = "/Names << /EmbeddedFiles << /Names [";
        for (size_t i = 0; i < fileSpecs_.size(); ++i) {
            if (i > 0) {
                af += ' ';
                names += ' ';
            }
            AppendInt(af, fileSpecs_[i].second);
            af += " 0 R";
            names += PdfByteString(fileSpecs_[i].first) + ' ';
            AppendInt(names, fileSpecs_[i].second);
            names += " 0 R";
        }
        lines += af + "]\n" + names + "] >> >>\n";
    }
    return lines;
}
