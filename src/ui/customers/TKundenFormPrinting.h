#pragma once

#include <functional>

class CustomerCursor;
class QDialog;
class TDruckeForm;

// The customer window's printing through its print dialog: the current record, every
// record one after another, and how many records fill each column. Records whose memo could
// not be read are named afterwards; the record the user stood on stays current.
class TKundenFormPrinting {
public:
    using DialogRun = std::function<int(QDialog&)>;

    TKundenFormPrinting(CustomerCursor& cursor, DialogRun runDialog) : cursor_(cursor), runDialog_(std::move(runDialog))
    {
    }

    // With `autodruck` the record is printed at once, without the dialog.
    void PrintRecord(TDruckeForm& dialog, bool autodruck);
    // `autodruck` is set while each record is printed.
    void PrintAll(TDruckeForm& dialog, bool& autodruck);
    void PrintCounts(TDruckeForm& dialog);

private:
    CustomerCursor& cursor_;
    DialogRun runDialog_;
};
