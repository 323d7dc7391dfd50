#include "output/CupsQueue.h"

#include <cups/cups.h>

#include <memory>

namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

}  // namespace

std::vector<std::string> CupsQueue::PaperSources() const
{
    std::vector<std::string> sources;
    const std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name_.c_str(), nullptr));
    if (!dest)
        return sources;
    const std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return sources;
    ipp_attribute_t* supported = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "media-source");
    const int count = supported ? ippGetCount(supported) : 0;
    for (int i = 0; i < count; ++i) {
        const char* keyword = ippGetString(supported, i, nullptr);
        if (keyword && *keyword)
            sources.emplace_back(keyword);
    }
    return sources;
}

CupsQueue::SendResult CupsQueue::SendFile(const std::string& fileName, const std::string& title,
                                          const Options& options) const
{
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
    SendResult result;
    result.jobId =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, name_.c_str(), fileName.c_str(), title.c_str(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (result.jobId > 0) {
        result.refusal = Refusal::None;
        return result;
    }
    result.jobId = 0;
    const ipp_status_t status = cupsLastError();
    const char* words = cupsLastErrorString();
    result.detail = words ? words : "";
    result.refusal = Refusal::Other;
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
        result.refusal = Refusal::NotAccepting;
    } else if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        result.refusal = Refusal::NoSuchPrinter;
    } else {
        // libcups reports a service it cannot reach and a queue it cannot find alike (an
        // internal error with the system's error text): ask again to tell them apart.
        http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
        if (!http) {
            result.refusal = Refusal::Unreachable;
        } else {
            const std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(http, name_.c_str(), nullptr));
            if (!dest)
                result.refusal = Refusal::NoSuchPrinter;
            httpClose(http);
        }
    }
    return result;
}
