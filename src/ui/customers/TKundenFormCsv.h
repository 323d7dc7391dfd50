#pragma once

class CustomerCursor;
class QWidget;

// The customer window's CSV menu entries: the records written to a CSV file the user
// chooses, and the lines of a CSV file added as new records; what came of it is told in the
// sentences of CustomerCsvReport. The windows over the cursor follow: an export leaves the
// record the user stood on current, an import makes its last new record current.
class TKundenFormCsv {
public:
    TKundenFormCsv(QWidget& window, CustomerCursor& cursor) : window_(window), cursor_(cursor) {}

    void Export();
    void Import();

private:
    QWidget& window_;  // the file dialogs' owner
    CustomerCursor& cursor_;
};
