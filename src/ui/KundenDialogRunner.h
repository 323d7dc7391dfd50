#pragma once

class QDialog;

// Runs the customer window's modal dialogs. The program shows them with exec(); window
// tests install their own runner, which fills in the dialog and answers without blocking.
class KundenDialogRunner {
public:
    virtual ~KundenDialogRunner() = default;
    // QDialog::Accepted or QDialog::Rejected.
    virtual int Run(QDialog& dialog) = 0;

    // The runner that calls exec().
    static KundenDialogRunner& Modal();
};
