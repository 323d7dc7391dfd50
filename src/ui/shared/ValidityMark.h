#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QString>

// A field whose text does not pass its check is shown red (light red ground, dark red text)
// with a tool tip that says what is wanted, until the text passes; an empty field is not
// marked. The colours are those of the field's own palette otherwise.
inline const QColor kInvalidBase(0xff, 0xd0, 0xd0);
inline const QColor kInvalidText(0xa0, 0x00, 0x00);

inline void MarkValidity(QLineEdit* edit, bool valid, const QString& hint)
{
    // A palette that sets no colour leaves the field with the colours it inherits.
    QPalette palette;
    if (!valid) {
        palette.setColor(QPalette::Base, kInvalidBase);
        palette.setColor(QPalette::Text, kInvalidText);
    }
    edit->setPalette(palette);
    edit->setToolTip(valid ? QString() : hint);
}

inline bool MarkedInvalid(const QLineEdit* edit)
{
    return edit->palette().color(QPalette::Base) == kInvalidBase;
}
