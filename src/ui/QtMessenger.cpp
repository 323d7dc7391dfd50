#include "ui/QtMessenger.h"

#include "ui/QtText.h"

#include <QApplication>
#include <QMessageBox>

QWidget* QtMessenger::Parent() const
{
    return parent_ ? parent_ : QApplication::activeWindow();
}

void QtMessenger::ShowError(const std::u16string& text)
{
    QMessageBox::critical(Parent(), QApplication::applicationDisplayName(), ToQString(text));
}

void QtMessenger::ShowInformation(const std::u16string& text)
{
    QMessageBox::information(Parent(), QApplication::applicationDisplayName(), ToQString(text));
}

Messenger::Answer QtMessenger::AskQuestion(const std::u16string& text, const std::u16string& title)
{
    const auto button = QMessageBox::question(
        Parent(), ToQString(title), ToQString(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
