#pragma once

#include <QString>

// Turns a file-type filter in the form "Description|*.a;*.b|Description|*.c" (pairs of a
// description and its patterns) into the form of Qt's file dialogs: "Name (*.a *.b *.A *.B)"
// entries separated by ";;". Upper-case patterns are added, since file names on Linux
// differ by case and a logo may well be called LOGO.JPG.
QString QtFileFilter(const QString& pairs);
