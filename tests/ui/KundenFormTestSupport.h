#pragma once

#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TKundenForm.h"
#include "ui/shared/UiServices.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QtTest>

#include <functional>

// Shared by the customer window's tests: a scripted runner of its modal dialogs and readers
// of what its grid shows.

class ScriptedRunner final {
public:
    std::function<int(QDialog&)> answer;
    int runs = 0;
    int Run(QDialog& dialog)
    {
        ++runs;
        return answer ? answer(dialog) : QDialog::Rejected;
    }
};

// Runs the windows' modal dialogs through `runner` for its lifetime.
class ScopedRunner {
public:
    explicit ScopedRunner(ScriptedRunner& runner)
    {
        Services().runDialog = [&runner](QDialog& dialog) { return runner.Run(dialog); };
    }
    ~ScopedRunner() { Services().runDialog = nullptr; }
};

inline QStringList GridColumn(TKundenForm& form, int column)
{
    QStringList values;
    KundenTableModel* model = form.Model();
    for (int r = 0; r < model->rowCount(); ++r)
        values << model->data(model->index(r, column)).toString();
    return values;
}

inline QStringList Headers(TKundenForm& form)
{
    QStringList names;
    for (int c = 0; c < form.Model()->columnCount(); ++c)
        names << form.Model()->headerData(c, Qt::Horizontal).toString();
    return names;
}

// Opens a combo box's list as the user does, by a click on its arrow, and closes it again.
inline void ClickArrow(QComboBox* combo)
{
    combo->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(combo->window()));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    QTRY_VERIFY(combo->view()->isVisible());
    combo->hidePopup();
}
