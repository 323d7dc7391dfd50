#pragma once

#include <QDateEdit>

// A date field that can also be empty (e.g. "Bezahlt" of an unpaid invoice). The empty state
// is the minimum date, shown as blank text; Delete or Backspace over the whole text empties
// the field. A date chosen or typed fills it again.
class OptionalDateEdit : public QDateEdit {
    Q_OBJECT

public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    bool IsEmpty() const { return date() == minimumDate(); }
    void Clear();
    // Sets the date; an invalid date empties the field.
    void SetDateOrEmpty(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
