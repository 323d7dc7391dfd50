#pragma once

#include "foundation/PathText.h"

#include <QString>
#include <string>
#include <string_view>

// The core keeps text as UTF-16, like QString: conversion is a copy of the units.
inline QString ToQString(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

inline std::u16string ToU16(const QString& text)
{
    return text.toStdU16String();
}

// The book keeps the lines of a text separated by CR LF, as the files and the layout expect;
// the edit controls show them separated by LF.
inline QString ShownLines(QString stored)
{
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return stored;
}

// Any line break (LF from an edit control, CR LF or a lone CR from elsewhere) as CR LF.
inline QString StoredLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// File names between the file system and Qt without loss (QFile::encodeName and
// QString::toStdString would change bytes that are not UTF-8); see PathText.h.
inline QString PathToQString(std::string_view path)
{
    return ToQString(PathToText(path));
}

inline std::string QStringToPath(const QString& text)
{
    return TextToPath(ToU16(text));
}
