#include "ui/OptionalDateEdit.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
// Below every date an invoice can carry; stands for "no date".
const QDate kEmptyDate(1752, 9, 14);
}

OptionalDateEdit::OptionalDateEdit(QWidget* parent) : QDateEdit(parent)
{
    setMinimumDate(kEmptyDate);
    setSpecialValueText(QStringLiteral(" "));
    setCalendarPopup(true);
    setDate(kEmptyDate);
    // An empty field opens its calendar on today rather than on the stand-in date.
    connect(calendarWidget(), &QCalendarWidget::currentPageChanged, this, [this](int year, int) {
        if (year == kEmptyDate.year())
            calendarWidget()->setSelectedDate(QDate::currentDate());
    });
}

void OptionalDateEdit::Clear()
{
    setDate(minimumDate());
}

void OptionalDateEdit::SetDateOrEmpty(const QDate& value)
{
    if (value.isValid() && value > minimumDate())
        setDate(value);
    else
        Clear();
}

void OptionalDateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool erase = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    if (erase && (IsEmpty() || lineEdit()->selectedText() == lineEdit()->text())) {
        Clear();
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}
