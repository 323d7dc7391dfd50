#include "ui/customers/ValueListComboBox.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

ValueListComboBox::ValueListComboBox(QWidget* parent) : QComboBox(parent)
{
    // The line edit is made when the box becomes editable; watch it from then on.
    setEditable(true);
    lineEdit()->installEventFilter(this);
    // The list holds "Berlin" and "berlin" as two suggestions: typing completes, and leaving
    // the box matches, with regard to case, so that "berlin" is never turned into "Berlin".
    completer()->setCaseSensitivity(Qt::CaseSensitive);
}

void ValueListComboBox::showPopup()
{
    Q_EMIT ListWanted();
    QComboBox::showPopup();
}

bool ValueListComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // Typing completes from the list: it must be there before the key is handled.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        Q_EMIT ListWanted();
    return QComboBox::eventFilter(watched, event);
}

void ValueListComboBox::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT ListWanted();  // the arrow keys walk through the list
    QComboBox::keyPressEvent(event);
}
