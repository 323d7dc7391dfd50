#pragma once

#include "received/ReceivedInvoice.h"

#include <cstdint>
#include <string>

// The names and sizes the window "E-Rechnung anzeigen" offers when it saves: the names come
// from a file someone else wrote, so they are made harmless before a save dialog shows them.

// A file name without folders for a name taken from an e-invoice: everything up to the last
// slash or backslash is dropped, control characters and the characters that file systems or
// shells treat specially (/ \ : * ? " < > |) become "_", leading dots and surrounding spaces
// go (no hidden file, no ".."), and the name is cut to 200 characters keeping its extension.
// Empty when nothing is left.
std::u16string SafeFileName(std::u16string_view name);

// The proposed name of the readable PDF: the invoice number (BT-1) made safe, with ".pdf";
// "E-Rechnung.pdf" for an invoice without a usable number.
std::u16string ProposedReceivedPdfName(const ReceivedInvoice& invoice);

// The proposed name of an embedded attachment: its file name made safe, else its identifier
// (BT-122) made safe, else "Anhang n" (n from 1).
std::u16string ProposedAttachmentName(const ReceivedAttachment& attachment, size_t index);

// A size as a German reader expects it: "512 Bytes", "1 Byte", "12,3 KB", "3,1 MB" (units of
// 1024, one decimal below 100, none from 100 on).
std::u16string ByteSizeText(uint64_t bytes);
