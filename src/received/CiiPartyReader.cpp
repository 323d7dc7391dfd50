#include "received/CiiPartyReader.h"

#include "received/CiiFields.h"
#include "received/XmlNodes.h"

using cii::kRam;
using cii::Ram;
using cii::RamText;

ReceivedAddress ReadCiiAddress(const xmlNode* address)
{
    ReceivedAddress result;
    result.postcode = RamText(address, "PostcodeCode");
    result.line1 = RamText(address, "LineOne");
    result.line2 = RamText(address, "LineTwo");
    result.line3 = RamText(address, "LineThree");
    result.city = RamText(address, "CityName");
    result.country = RamText(address, "CountryID");
    result.subdivision = RamText(address, "CountrySubDivisionName");
    return result;
}

ReceivedParty ReadCiiParty(const xmlNode* party)
{
    ReceivedParty result;
    // BT-29 and its kin: identifiers of the party's own (ram:ID) and with a scheme (ram:GlobalID).
    for (const xmlNode* id : ChildElements(party, kRam, "ID"))
        result.ids.push_back({ElementText(id), AttributeText(id, "schemeID")});
    for (const xmlNode* id : ChildElements(party, kRam, "GlobalID"))
        result.ids.push_back({ElementText(id), AttributeText(id, "schemeID")});
    result.name = RamText(party, "Name");
    result.legalInfo = RamText(party, "Description");
    const xmlNode* legal = Ram(party, "SpecifiedLegalOrganization");
    result.legalId = cii::RamId(legal, "ID");
    result.tradingName = RamText(legal, "TradingBusinessName");

    const xmlNode* contact = Ram(party, "DefinedTradeContact");
    result.contact.name = RamText(contact, "PersonName");
    if (result.contact.name.empty())
        result.contact.name = RamText(contact, "DepartmentName");
    result.contact.telephone = RamText(Ram(contact, "TelephoneUniversalCommunication"), "CompleteNumber");
    result.contact.email = RamText(Ram(contact, "EmailURIUniversalCommunication"), "URIID");

    result.address = ReadCiiAddress(Ram(party, "PostalTradeAddress"));
    result.electronicAddress = cii::RamId(Ram(party, "URIUniversalCommunication"), "URIID");

    // BT-31 (VAT identifier, scheme VA) and BT-32 (local tax number, scheme FC).
    for (const xmlNode* registration : ChildElements(party, kRam, "SpecifiedTaxRegistration")) {
        const ReceivedId id = cii::RamId(registration, "ID");
        if (id.scheme == u"VA" && result.vatId.empty())
            result.vatId = id.value;
        else if (id.scheme == u"FC" && result.taxNumber.empty())
            result.taxNumber = id.value;
    }
    return result;
}
