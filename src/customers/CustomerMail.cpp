#include "customers/CustomerMail.h"

#include "dbase/DbfTable.h"
#include "messages/MessageCatalog.h"

namespace {
constexpr int kNameMessage = 204;
constexpr int kVornameMessage = 205;
constexpr int kAnredeMessage = 206;
constexpr int kEmailMessage = 214;
}  // namespace

CustomerMail CustomerMail::Compose(std::u16string_view anrede, std::u16string_view vorname, std::u16string_view name,
                                   std::u16string_view email)
{
    CustomerMail mail;
    mail.recipientName = anrede;
    if (!anrede.empty())
        mail.recipientName += u' ';
    mail.recipientName += vorname;
    if (!vorname.empty())
        mail.recipientName += u' ';
    mail.recipientName += name;
    if (anrede == u"Herr")
        mail.body = u"Sehr geehrter Herr " + std::u16string(name) + u",";
    else if (anrede == u"Frau")
        mail.body = u"Sehr geehrte Frau " + std::u16string(name) + u",";
    mail.address = email;
    return mail;
}

std::optional<CustomerMail> CustomerMail::FromRecord(const DbfTable& table)
{
    if (!table.Active())
        return std::nullopt;
    const int anrede = table.FieldIndex(MessageText(kAnredeMessage));
    const int vorname = table.FieldIndex(MessageText(kVornameMessage));
    const int name = table.FieldIndex(MessageText(kNameMessage));
    const int email = table.FieldIndex(MessageText(kEmailMessage));
    if (anrede < 0 || vorname < 0 || name < 0 || email < 0)
        return std::nullopt;
    return Compose(table.Value(anrede), table.Value(vorname), table.Value(name), table.Value(email));
}
