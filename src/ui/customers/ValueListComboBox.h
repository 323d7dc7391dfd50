#pragma once

#include <QComboBox>

// An editable combo box whose list of suggestions is made only when it is wanted: the box
// asks for it (ListWanted) before its list opens and before the first key typed into it is
// handled, so that a window with many such boxes over a large table opens without walking
// the table for each of them. Completion and matching regard case, as the lists do.
class ValueListComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ValueListComboBox(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void ListWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
