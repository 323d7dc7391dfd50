#include "ui/shared/OptionalDateEdit.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const QString kFormat = QStringLiteral("dd.MM.yyyy");

// The forms a user types a date in, beside the display format; a two-digit year is one of
// 2000 to 2099 (invoices are paid in this century).
QDate ReadLenient(const QString& typed)
{
    const QString text = typed.trimmed();
    for (const char* format : {"dd.MM.yyyy", "d.M.yyyy", "ddMMyyyy"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    for (const char* format : {"d.M.yy", "ddMMyy"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date.addYears(2000 - 1900);
    }
    return {};
}

}

OptionalDateEdit::OptionalDateEdit(QWidget* parent) : QWidget(parent)
{
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("DateText"));
    edit_->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    edit_->setClearButtonEnabled(true);
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("CalendarButton"));
    button_->setArrowType(Qt::DownArrow);
    button_->setToolTip(QStringLiteral("Kalender öffnen"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);

    connect(edit_, &QLineEdit::textChanged, this, &OptionalDateEdit::OnTextEdited);
    connect(edit_, &QLineEdit::editingFinished, this, &OptionalDateEdit::OnEditingFinished);
    connect(button_, &QToolButton::clicked, this, &OptionalDateEdit::ShowCalendar);
}

void OptionalDateEdit::SetDateOrEmpty(const QDate& date)
{
    Store(date.isValid() ? date : QDate());
    ShowDate();
}

void OptionalDateEdit::ShowDate()
{
    const QString text = date_.isValid() ? date_.toString(kFormat) : QString();
    if (edit_->text() != text)
        edit_->setText(text);
}

void OptionalDateEdit::Store(const QDate& date)
{
    if (date == date_)
        return;
    date_ = date;
    Q_EMIT DateChanged(date_);
}

void OptionalDateEdit::OnTextEdited(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        Store(QDate());
        return;
    }
    // A date complete in the display format counts at once, so that nothing typed is lost
    // when the window closes before the field is left.
    const QDate date = QDate::fromString(text.trimmed(), kFormat);
    if (date.isValid())
        Store(date);
}

void OptionalDateEdit::OnEditingFinished()
{
    const QString text = edit_->text();
    if (text.trimmed().isEmpty()) {
        Store(QDate());
        return;
    }
    const QDate date = ReadLenient(text);
    if (date.isValid()) {
        Store(date);
        ShowDate();
        return;
    }
    ShowDate();
    QToolTip::showText(
        edit_->mapToGlobal(QPoint(0, edit_->height())),
        QStringLiteral("„%1“ ist kein Datum. Bitte als TT.MM.JJJJ eingeben, z. B. 05.03.2026.").arg(text.trimmed()),
        edit_);
}

void OptionalDateEdit::ShowCalendar()
{
    if (!popup_) {
        popup_ = new QFrame(this, Qt::Popup);
        popup_->setObjectName(QStringLiteral("CalendarPopup"));
        popup_->setFrameShape(QFrame::StyledPanel);
        calendar_ = new QCalendarWidget(popup_);
        calendar_->setGridVisible(true);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(calendar_);
        const auto take = [this](const QDate& date) {
            popup_->hide();
            SetDateOrEmpty(date);
        };
        connect(calendar_, &QCalendarWidget::clicked, this, take);
        connect(calendar_, &QCalendarWidget::activated, this, take);
    }
    // The calendar opens on the field's date, or on today for an empty field.
    const QDate shown = date_.isValid() ? date_ : QDate::currentDate();
    calendar_->setSelectedDate(shown);
    calendar_->setCurrentPage(shown.year(), shown.month());
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    calendar_->setFocus();
}
