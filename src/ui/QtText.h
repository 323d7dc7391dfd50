#pragma once

#include <QString>
#include <string>

// The core keeps text as UTF-16, like QString: conversion is a copy of the units.
inline QString ToQString(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

inline std::u16string ToU16(const QString& text)
{
    return text.toStdU16String();
}
