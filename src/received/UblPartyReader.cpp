#include "received/UblPartyReader.h"

#include "received/UblNames.h"

using namespace Ubl;

namespace UblPartyReader {

namespace {

ReceivedId IdWithScheme(const xmlNode* node)
{
    return {ElementText(node), AttributeText(node, "schemeID")};
}

}  // namespace

ReceivedAddress Address(const xmlNode* address)
{
    ReceivedAddress result;
    if (address == nullptr)
        return result;
    result.line1 = Text(address, "StreetName");
    result.line2 = Text(address, "AdditionalStreetName");
    result.line3 = Text(Cac(address, "AddressLine"), "Line");
    result.city = Text(address, "CityName");
    result.postcode = Text(address, "PostalZone");
    result.subdivision = Text(address, "CountrySubentity");
    result.country = Text(Cac(address, "Country"), "IdentificationCode");
    return result;
}

ReceivedParty Party(const xmlNode* party, std::u16string* creditorId)
{
    ReceivedParty result;
    if (party == nullptr)
        return result;
    result.electronicAddress = IdWithScheme(Cbc(party, "EndpointID"));
    for (const xmlNode* identification : Cacs(party, "PartyIdentification")) {
        ReceivedId id = IdWithScheme(Cbc(identification, "ID"));
        if (id.scheme == u"SEPA" && creditorId != nullptr) {
            if (creditorId->empty())
                *creditorId = id.value;
            continue;
        }
        if (!id.value.empty())
            result.ids.push_back(std::move(id));
    }
    // BT-28/BT-45 for seller and buyer; payee and tax representative have only this name, and
    // the callers move it to `name` for them.
    result.tradingName = Text(Cac(party, "PartyName"), "Name");
    result.address = Address(Cac(party, "PostalAddress"));
    for (const xmlNode* taxScheme : Cacs(party, "PartyTaxScheme")) {
        const std::u16string companyId = Text(taxScheme, "CompanyID");
        const std::u16string scheme = Text(Cac(taxScheme, "TaxScheme"), "ID");
        // Without a named scheme the number is taken as what nearly every party writes here.
        std::u16string& target = scheme == u"VAT" || scheme.empty() ? result.vatId : result.taxNumber;
        if (target.empty())
            target = companyId;
    }
    const xmlNode* legal = Cac(party, "PartyLegalEntity");
    result.name = Text(legal, "RegistrationName");
    result.legalId = IdWithScheme(Cbc(legal, "CompanyID"));
    result.legalInfo = Text(legal, "CompanyLegalForm");
    const xmlNode* contact = Cac(party, "Contact");
    result.contact.name = Text(contact, "Name");
    result.contact.telephone = Text(contact, "Telephone");
    result.contact.email = Text(contact, "ElectronicMail");
    return result;
}

}  // namespace UblPartyReader
