#include "ui/shared/QtMessenger.h"

#include "ui/shared/QtText.h"

#include <QApplication>
#include <QMessageBox>

QWidget* QtMessenger::Parent() const
{
    return parent_ ? parent_ : QApplication::activeWindow();
}

void QtMessenger::ShowError(const std::u16string& text, const std::u16string& title)
{
    QMessageBox::critical(Parent(), title.empty() ? QApplication::applicationDisplayName() : ToQString(title),
                          ToQString(text));
}

void QtMessenger::ShowInformation(const std::u16string& text, const std::u16string& title)
{
    QMessageBox::information(Parent(), title.empty() ? QApplication::applicationDisplayName() : ToQString(title),
                             ToQString(text));
}

Messenger::Answer QtMessenger::AskQuestion(const std::u16string& text, const std::u16string& title, QuestionIcon icon)
{
    const QMessageBox::Icon shown = icon == QuestionIcon::Stop   ? QMessageBox::Critical
                                    : icon == QuestionIcon::None ? QMessageBox::NoIcon
                                                                 : QMessageBox::Question;
    QMessageBox box(shown, ToQString(title), ToQString(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    Parent());
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
