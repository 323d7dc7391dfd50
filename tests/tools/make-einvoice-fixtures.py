#!/usr/bin/env python3
"""Writes the hostile and damaged e-invoice fixtures tests/data/einvoice-cii-*.xml and
tests/data/einvoice-pdf-*.pdf. The XML ones are the valid einvoice-cii-every-term.xml with one
defect each, or small files of the classic XML attacks; the PDF ones are built here object by
object (independently of the program's PDF writer), each named after its defect or what it holds.
tests/received/CiiHostileTest.cpp and HybridPdfAttachmentTest.cpp expect a German message from
each damaged one. Run it from anywhere:
    python3 tests/tools/make-einvoice-fixtures.py
"""
import os
import subprocess
import zlib

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')
VALID = open(os.path.join(DATA, 'einvoice-cii-every-term.xml'), 'rb').read()
HEAD = b'<?xml version="1.0" encoding="UTF-8"?>\n'
ROOT = (b'<rsm:CrossIndustryInvoice xmlns:rsm="urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100" '
        b'xmlns:ram="urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100">')


def write(name, data):
    with open(os.path.join(DATA, name), 'wb') as f:
        f.write(data)


def changed(old, new, count=1):
    assert VALID.count(old) >= count, old
    return VALID.replace(old, new, count)


def small(doctype, body):
    return (HEAD + doctype + b'\n' + ROOT + b'<rsm:ExchangedDocument><ram:ID>' + body +
            b'</ram:ID></rsm:ExchangedDocument></rsm:CrossIndustryInvoice>\n')


def xml_fixtures():
    lol = b''.join(b'<!ENTITY lol%d "%s">\n' % (i, (b'&lol%d;' % (i - 1)) * 10) for i in range(1, 10))
    write('einvoice-cii-billion-laughs.xml',
          small(b'<!DOCTYPE rsm:CrossIndustryInvoice [\n<!ENTITY lol0 "lol">\n' + lol + b']>', b'&lol9;'))
    write('einvoice-cii-external-entity-passwd.xml',
          small(b'<!DOCTYPE rsm:CrossIndustryInvoice [<!ENTITY xxe SYSTEM "file:///etc/passwd">]>', b'&xxe;'))
    write('einvoice-cii-parameter-entity-passwd.xml',
          small(b'<!DOCTYPE rsm:CrossIndustryInvoice [<!ENTITY % p SYSTEM "file:///etc/passwd"> %p;]>', b'X'))
    write('einvoice-cii-external-dtd.xml',
          small(b'<!DOCTYPE rsm:CrossIndustryInvoice SYSTEM "http://127.0.0.1:9/cii.dtd">', b'X'))
    write('einvoice-cii-deep-nesting.xml',
          changed(b'<ram:ID>RE-2026-0815</ram:ID>',
                  b'<ram:ID>RE-2026-0815</ram:ID>' + b'<ram:X>' * 200 + b'tief' + b'</ram:X>' * 200))
    write('einvoice-cii-bad-number-comma.xml',
          changed(b'<ram:LineTotalAmount>375.00</ram:LineTotalAmount>',
                  b'<ram:LineTotalAmount>375,00</ram:LineTotalAmount>'))
    write('einvoice-cii-number-too-large.xml',
          changed(b'<ram:GrandTotalAmount>388.95</ram:GrandTotalAmount>',
                  b'<ram:GrandTotalAmount>99999999999999999999.95</ram:GrandTotalAmount>'))
    write('einvoice-cii-bad-date-february-30.xml',
          changed(b'<udt:DateTimeString format="102">20260305</udt:DateTimeString>',
                  b'<udt:DateTimeString format="102">20260230</udt:DateTimeString>'))
    write('einvoice-cii-date-format-610.xml',
          changed(b'<udt:DateTimeString format="102">20260404</udt:DateTimeString>',
                  b'<udt:DateTimeString format="610">202604</udt:DateTimeString>'))
    write('einvoice-cii-tax-point-date-5000-digits.xml',
          changed(b'<udt:DateString format="102">20260228</udt:DateString>',
                  b'<udt:DateString format="102">' + b'20260228' * 625 + b'</udt:DateString>'))
    write('einvoice-cii-truncated.xml', VALID[:len(VALID) * 3 // 5])
    write('einvoice-cii-wrong-root-zugferd1.xml',
          HEAD + b'<rsm:CrossIndustryDocument xmlns:rsm="urn:ferd:CrossIndustryDocument:invoice:1p0">'
          b'<rsm:HeaderExchangedDocument/></rsm:CrossIndustryDocument>\n')
    start = VALID.index(b'  <rsm:ExchangedDocument>')
    end = VALID.index(b'</rsm:ExchangedDocument>\n') + len(b'</rsm:ExchangedDocument>\n')
    write('einvoice-cii-without-exchanged-document.xml', VALID[:start] + VALID[end:])
    start = VALID.index(b'  <rsm:SupplyChainTradeTransaction>')
    end = VALID.index(b'</rsm:SupplyChainTradeTransaction>\n') + len(b'</rsm:SupplyChainTradeTransaction>\n')
    write('einvoice-cii-without-transaction.xml', VALID[:start] + VALID[end:])
    write('einvoice-cii-attachment-bad-base64.xml',
          changed(b'RGF0dW07U3R1bmRlbgoyMDI2LTAyLTAyOzgK', b'RGF0dW07U3R1bmRlbgoyMDI2*TAyLTAyOzgK'))
    write('einvoice-cii-charge-indicator-unknown.xml',
          changed(b'<udt:Indicator>true</udt:Indicator>', b'<udt:Indicator>ja</udt:Indicator>'))


class Pdf:
    """A PDF of numbered objects with a cross-reference table."""

    def __init__(self):
        self.objects = []

    def add(self, body):
        self.objects.append(body)
        return len(self.objects)

    def stream(self, dictionary, data):
        return self.add(b'<< ' + dictionary + b' /Length %d >>\nstream\n' % len(data) + data + b'\nendstream')

    def bytes(self, root):
        out = b'%PDF-1.7\n%\xe2\xe3\xcf\xd3\n'
        offsets = []
        for number, body in enumerate(self.objects, 1):
            offsets.append(len(out))
            out += b'%d 0 obj\n' % number + body + b'\nendobj\n'
        xref = len(out)
        out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(self.objects) + 1)
        out += b''.join(b'%010d 00000 n \n' % o for o in offsets)
        out += b'trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(self.objects) + 1, root, xref)
        return out


def page_pdf(attach=None):
    """A one-page PDF; attach(pdf) adds the embedded files and gives the catalog's extra keys."""
    pdf = Pdf()
    content = pdf.stream(b'', b'BT /F1 12 Tf 72 720 Td (Rechnung) Tj ET')
    font = pdf.add(b'<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>')
    pages = len(pdf.objects) + 2
    page = pdf.add(b'<< /Type /Page /Parent %d 0 R /MediaBox [0 0 595 842] /Contents %d 0 R '
                   b'/Resources << /Font << /F1 %d 0 R >> >> >>' % (pages, content, font))
    pdf.add(b'<< /Type /Pages /Kids [%d 0 R] /Count 1 >>' % page)
    extra = attach(pdf) if attach else b''
    root = pdf.add(b'<< /Type /Catalog /Pages %d 0 R ' % pages + extra + b'>>')
    return pdf.bytes(root)


def embedded(name, data, relationship=b'/Alternative', subtype=b'/text#2Fxml', in_names=True,
             stream_data=None):
    def attach(pdf):
        packed = stream_data if stream_data is not None else zlib.compress(data, 9)
        stream = pdf.stream(b'/Type /EmbeddedFile /Subtype ' + subtype + b' /Filter /FlateDecode '
                            b'/Params << /Size %d >>' % len(data), packed)
        spec = pdf.add(b'<< /Type /Filespec /F (%s) /UF (%s) /AFRelationship %s /EF << /F %d 0 R /UF %d 0 R >> >>'
                       % (name, name, relationship, stream, stream))
        names = b'/Names << /EmbeddedFiles << /Names [(%s) %d 0 R] >> >> ' % (name, spec) if in_names else b''
        return names + b'/AF [%d 0 R] ' % spec
    return attach


def name_tree_loop(pdf):
    # A name tree whose node lists itself among its kids.
    node = len(pdf.objects) + 1
    pdf.add(b'<< /Kids [%d 0 R] >>' % node)
    return b'/Names << /EmbeddedFiles %d 0 R >> ' % node


def pdf_fixtures():
    hybrid = page_pdf(embedded(b'factur-x.xml', VALID))
    write('einvoice-pdf-factur-x.pdf', hybrid)
    write('einvoice-pdf-xml-only-in-af.pdf',
          page_pdf(embedded(b'rechnungsdaten.xml', VALID, in_names=False)))
    write('einvoice-pdf-af-supplement-only.pdf',
          page_pdf(embedded(b'anlage.xml', VALID, relationship=b'/Supplement')))
    write('einvoice-pdf-without-attachment.pdf', page_pdf())
    cut = hybrid.index(b'stream\n', hybrid.index(b'/EmbeddedFile')) + 200
    write('einvoice-pdf-truncated.pdf', hybrid[:cut])
    write('einvoice-pdf-xml-inflating-to-3mb.pdf',
          page_pdf(embedded(b'factur-x.xml', VALID + b' ' * (3 << 20))))
    write('einvoice-pdf-broken-flate-stream.pdf',
          page_pdf(embedded(b'factur-x.xml', VALID, stream_data=b'\x78\x9c' + b'\xff' * 300)))
    write('einvoice-pdf-not-a-pdf.pdf', b'Hallo, ich bin keine PDF-Datei.\n')
    write('einvoice-pdf-name-tree-loop.pdf', page_pdf(name_tree_loop))
    plain = os.path.join(DATA, 'einvoice-pdf-factur-x.pdf')
    # Encrypted: with a password to open it, and with an owner password only (opens without one).
    # Both change with every run (random keys).
    subprocess.run(['qpdf', '--encrypt', 'benutzer', 'besitzer', '256', '--', plain,
                    os.path.join(DATA, 'einvoice-pdf-encrypted-with-password.pdf')], check=True)
    subprocess.run(['qpdf', '--encrypt', '', 'besitzer', '256', '--', plain,
                    os.path.join(DATA, 'einvoice-pdf-encrypted-owner-password-only.pdf')], check=True)


xml_fixtures()
pdf_fixtures()
