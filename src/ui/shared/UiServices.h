#pragma once

#include <QPointer>

#include <functional>

class QDialog;
class QObject;
class QPrinter;
class QUrl;
class StandardDialogs;

// What the windows ask of the desktop beyond their own controls, in one place. An empty
// member means the program's own service. Window tests set members to scripted services that
// answer in advance, so that no test blocks on a dialog or starts a desktop program, and
// reset the whole object when they are done.
struct UiServices {
    // File, folder, font and printer set-up dialogs; null: Qt's.
    StandardDialogs* dialogs = nullptr;
    // Runs a window's modal dialog and gives QDialog::Accepted or QDialog::Rejected; empty: exec().
    std::function<int(QDialog& dialog)> runDialog;
    // Opens a mail link or a local file (a saved PDF) with the desktop's program and tells
    // whether one was started; empty: the desktop's choice.
    std::function<bool(const QUrl& url)> openUrl;
    // Called with the printer right before each print job begins (tests give each job a file).
    std::function<void(QPrinter& printer)> beforePrintJob;
    // The window that shows the progress of long work (the main window); null: nobody.
    QPointer<QObject> progressReceiver;
};

// The services in use. The main window names itself as the progress receiver; tests change
// the members they script.
UiServices& Services();

// The one way a window runs a modal dialog: through Services().runDialog or exec().
int RunDialog(QDialog& dialog);

// Opens the URL through Services().openUrl or the desktop's program.
bool OpenUrl(const QUrl& url);
