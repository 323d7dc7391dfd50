#pragma once

#include "qtoutput/QtPrinterPage.h"

#include <QString>

class QFont;
class QWidget;

// The standard dialogs the windows open: folder, open and save file, font, printer setup. The program uses
// Qt's dialogs; tests install a scripted implementation that answers in advance, so no test
// blocks on a dialog. An empty file name or false means the user cancelled.
class StandardDialogs {
public:
    virtual ~StandardDialogs() = default;

    virtual QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& start) = 0;
    virtual QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& start,
                                    const QString& filter) = 0;
    // Asks before overwriting an existing file; defaultSuffix is added when the name has none.
    virtual QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& start,
                                    const QString& filter, const QString& defaultSuffix) = 0;
    // Offers scalable fonts with their effects (underline, strike-out); changes font on OK.
    virtual bool GetFont(QWidget* parent, const QString& caption, QFont& font) = 0;
    // "Drucker einrichten": opens on `choice` and changes it to the printer, paper and
    // orientation chosen on OK. Without a dialog of its own (a test's), nothing is chosen.
    virtual bool SetupPrinter(QWidget*, PrinterChoice&) { return false; }
};

// The dialogs in use: Qt's unless a test installed others (Services().dialogs).
StandardDialogs& CurrentDialogs();
