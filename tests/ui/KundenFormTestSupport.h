#pragma once

#include "customers/CustomerSchema.h"
#include "customers/CustomerTestTables.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TKundenForm.h"
#include "ui/shared/UiServices.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QtTest>

#include <functional>
#include <memory>

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

using CustomerRows = std::vector<std::vector<std::pair<std::u16string, std::u16string>>>;

// The common ground of the customer window tests, as a second base of the test class: the
// application's names in test mode, a data folder and a scripted messenger per test, and the
// customer tables the tests start from.
class KundenFormFixture {
protected:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ScriptedMessenger> messenger_;

    static void InitNames()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("Vestrik");
        QCoreApplication::setApplicationName("Rekolon");
    }
    void InitFolder()
    {
        dir_ = std::make_unique<TempDir>();
        messenger_ = std::make_unique<ScriptedMessenger>();
        QSettings().remove("TKundenForm");
    }
    void CleanupFolder()
    {
        messenger_.reset();
        dir_.reset();
    }
    // Four customers, two of them in Berlin, one with a two-line memo.
    void StandardCustomers()
    {
        FillCustomers(dir_->File("customers.dbf"), CustomerSchema::StandardFields(),
                      {{{u"Firma", u"Erste"}, {u"Ort", u"Abensberg"}, {u"Email", u"erste@example.de"}},
                       {{u"Firma", u"Zweite"}, {u"Ort", u"Berlin"}, {u"Mehr", u"siehe Tabelle\r\nzweite Zeile"}},
                       {{u"Firma", u"Dritte"}, {u"Ort", u"Berlin"}},
                       {{u"Firma", u"Vierte"}, {u"Ort", u"berlin"}, {u"PLZ", u"93047"}}});
    }
    // A table of these rows in the data folder, opened by the window.
    void OpenIn(TKundenForm& form, const CustomerRows& rows,
                const std::vector<DbfField>& fields = CustomerSchema::StandardFields())
    {
        FillCustomers(dir_->File("customers.dbf"), fields, rows);
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::Opened);
    }
};
