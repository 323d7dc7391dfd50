#include "ui/customers/SendMailMAPI.h"

#include "customers/MailtoUrl.h"

#include "ui/shared/UiServices.h"

#include <QUrl>

namespace {

constexpr int32_t kSuccess = 0;
constexpr int32_t kNoMailProgram = -1;
constexpr int32_t kAttachmentNotFound = 11;

}  // namespace

int32_t SendMailMAPI(const std::string& Subject, const std::string& Body, const std::string& FileName,
                     const std::string& SenderName, const std::string& SenderEMail, const std::string& RecepientName,
                     const std::string& RecepientEMail, const std::string& CCMail)
{
    (void)SenderName;
    (void)SenderEMail;
    if (!FileName.empty())
        return kAttachmentNotFound;
    const std::string address = MailtoUrl::Build(Subject, Body, RecepientName, RecepientEMail, CCMail);
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode);
    const bool started = OpenUrl(url);
    return started ? kSuccess : kNoMailProgram;
}
