#pragma once

class QCoreApplication;

// Qt's own texts (the buttons of message boxes, the file, font and print dialogs, the context
// menus of edit fields) in German, whatever the locale: the whole interface is German.
// Loads Qt's German translation from the system's Qt translations folder; false when it is not
// installed (Qt then keeps its English texts).
bool InstallQtGermanTexts(QCoreApplication& app);
