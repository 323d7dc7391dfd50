#include "ReceivedTestInvoice.h"

namespace {

ReceivedLine Line(std::u16string id, std::u16string name, Micros quantity, std::u16string unit, Micros price,
                  Micros net, std::u16string category, Micros rate)
{
    ReceivedLine line;
    line.id = std::move(id);
    line.itemName = std::move(name);
    line.quantity = quantity;
    line.unitCode = std::move(unit);
    line.netPrice = price;
    line.netAmount = net;
    line.vatCategory = std::move(category);
    line.vatRate = rate;
    return line;
}

ReceivedAllowanceCharge DocumentAllowanceCharge(bool charge, Micros amount, std::u16string reason)
{
    ReceivedAllowanceCharge ac;
    ac.charge = charge;
    ac.amount = amount;
    ac.vatCategory = u"S";
    ac.vatRate = M(19);
    ac.reason = std::move(reason);
    return ac;
}

ReceivedVatBreakdown Vat(std::u16string category, Micros rate, Micros taxable, Micros tax)
{
    ReceivedVatBreakdown row;
    row.category = std::move(category);
    row.rate = rate;
    row.taxableAmount = taxable;
    row.taxAmount = tax;
    return row;
}

}  // namespace

ReceivedInvoice AgreeingInvoice()
{
    ReceivedInvoice inv;
    inv.number = u"RE-2026-001";
    inv.issueDate = ReceivedDate{2026, 1, 31};
    inv.typeCode = u"380";
    inv.currency = u"EUR";
    inv.dueDate = ReceivedDate{2026, 2, 28};
    inv.buyerReference = u"04011000-12345-67";
    inv.seller.name = u"Müller Haustechnik GmbH";
    inv.seller.vatId = u"DE123456789";
    inv.seller.address = {u"Hauptstraße 5", u"", u"", u"Köln", u"50667", u"", u"DE"};
    inv.buyer.name = u"Stadtverwaltung Beispielstadt";
    inv.buyer.address = {u"Rathausplatz 1", u"", u"", u"Bonn", u"53111", u"", u"DE"};

    inv.lines.push_back(Line(u"1", u"Wartung Heizung", M(3), u"HUR", M(80), M(240), u"S", M(19)));
    // 2 × 12,345 = 24,69, less a line allowance of 1,00.
    ReceivedLine seals = Line(u"2", u"Dichtungssatz", M(2), u"C62", M(12.345), M(23.69), u"S", M(19));
    ReceivedAllowanceCharge lineAllowance;
    lineAllowance.amount = M(1);
    lineAllowance.reason = u"Mengenrabatt";
    seals.allowancesCharges.push_back(lineAllowance);
    inv.lines.push_back(seals);
    inv.lines.push_back(Line(u"3", u"Fahrtkosten", M(1), u"LS", M(35), M(35), u"S", M(7)));
    // 10 × 0,995 per 10 = 0,995, rounded half away from zero to 1,00.
    ReceivedLine course = Line(u"4", u"Schulungsunterlagen", M(10), u"C62", M(0.995), M(1), u"E", 0);
    course.baseQuantity = M(10);
    inv.lines.push_back(course);

    inv.allowancesCharges.push_back(DocumentAllowanceCharge(false, M(10), u"Treuerabatt"));
    inv.allowancesCharges.push_back(DocumentAllowanceCharge(true, M(5), u"Versand"));

    // 19 %: 240 + 23,69 − 10 + 5 = 258,69, tax 49,1511 → 49,15; 7 %: 35 → 2,45; exempt: 1,00.
    inv.vatBreakdown.push_back(Vat(u"S", M(19), M(258.69), M(49.15)));
    inv.vatBreakdown.push_back(Vat(u"S", M(7), M(35), M(2.45)));
    ReceivedVatBreakdown exempt = Vat(u"E", 0, M(1), 0);
    exempt.exemptionReason = u"Steuerfrei nach § 4 Nr. 21 UStG";
    inv.vatBreakdown.push_back(exempt);

    inv.totals.lineNetTotal = M(299.69);
    inv.totals.allowanceTotal = M(10);
    inv.totals.chargeTotal = M(5);
    inv.totals.netTotal = M(294.69);
    inv.totals.vatTotal = M(51.60);
    inv.totals.grossTotal = M(346.29);
    inv.totals.paidAmount = M(100);
    inv.totals.roundingAmount = M(0.01);
    inv.totals.amountDue = M(246.30);

    inv.payment.meansCode = u"58";
    inv.payment.remittanceInformation = u"RE-2026-001";
    inv.payment.accounts.push_back({u"DE02120300000000202051", u"Müller Haustechnik GmbH", u"BYLADEM1001"});
    inv.paymentTerms = u"Zahlbar innerhalb von 28 Tagen ohne Abzug.";
    return inv;
}

ReceivedInvoice FullInvoice()
{
    ReceivedInvoice inv = AgreeingInvoice();
    inv.processId = u"urn:fdc:peppol.eu:2017:poacc:billing:01:1.0";
    inv.customizationId = u"urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0";
    inv.orderReference = u"B-4711";
    inv.contractReference = u"V-2025-17";
    inv.projectReference = u"Sanierung Schule Nord";
    inv.deliveryDate = ReceivedDate{2026, 1, 20};
    inv.precedingInvoices.push_back({u"RE-2025-099", ReceivedDate{2025, 12, 15}});
    inv.seller.taxNumber = u"217/5734/1234";
    inv.seller.contact = {u"Petra Müller", u"+49 221 123456", u"rechnung@mueller-haustechnik.de"};
    inv.seller.electronicAddress = {u"rechnung@mueller-haustechnik.de", u"EM"};
    inv.buyer.contact.name = u"Herr Özdemir";
    ReceivedParty payee;
    payee.name = u"Factoring Bank Süd AG";
    inv.payee = payee;
    inv.deliverToName = u"Grundschule Nord";
    inv.deliverToAddress = ReceivedAddress{u"Schulweg 3", u"", u"", u"Bonn", u"53115", u"", u"DE"};

    ReceivedLine& first = inv.lines[0];
    first.itemDescription = u"Jährliche Wartung der Gas-Brennwerttherme mit Abgasmessung und Prüfprotokoll.";
    first.sellerItemId = u"W-100";
    first.periodStart = ReceivedDate{2026, 1, 19};
    first.periodEnd = ReceivedDate{2026, 1, 20};
    first.attributes.push_back({u"Gerät", u"Therme GB172"});
    inv.notes.push_back({u"AAI", u"Vielen Dank für Ihren Auftrag."});
    inv.notes.push_back({u"", u"Die Abnahme erfolgte am 20.01.2026."});
    ReceivedAttachment sheet;
    sheet.id = u"A1";
    sheet.fileName = u"Pruefprotokoll.pdf";
    sheet.mimeCode = u"application/pdf";
    sheet.description = u"Prüfprotokoll";
    sheet.content = std::string(1234, 'x');
    inv.attachments.push_back(sheet);
    return inv;
}
