#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

// A date field that can also be empty (e.g. "Bezahlt" of an unpaid invoice): a line edit for
// typing with a button that opens a calendar. An empty text is the empty date. A typed date
// counts as soon as it is complete in the display format (05.03.2026); shorter forms (5.3.26,
// 5.3.2026, 05032026) count when the field is left or Enter is pressed. Text that is no date
// is put back to the last date when the field is left, with a hint on how to type one.
class OptionalDateEdit : public QWidget {
    Q_OBJECT

public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    bool IsEmpty() const { return !date_.isValid(); }
    // The date shown; an invalid date when the field is empty.
    QDate Date() const { return date_; }
    void Clear() { SetDateOrEmpty(QDate()); }
    // Sets the date; an invalid date empties the field.
    void SetDateOrEmpty(const QDate& date);

    QLineEdit* LineEdit() const { return edit_; }
    // The calendar's popup, created when first opened.
    QCalendarWidget* Calendar() const { return calendar_; }
    void ShowCalendar();

Q_SIGNALS:
    // The date changed (by typing, the calendar or SetDateOrEmpty); invalid when emptied.
    void DateChanged(const QDate& date);

private:
    void OnTextEdited(const QString& text);
    void OnEditingFinished();
    void Store(const QDate& date);
    void ShowDate();

    QLineEdit* edit_ = nullptr;
    QToolButton* button_ = nullptr;
    QFrame* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    QDate date_;
};
