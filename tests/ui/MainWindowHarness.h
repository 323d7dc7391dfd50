#pragma once

#include "app/AppWindows.h"
#include "invoices/TRechnungBook.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/invoices/TRechnungsForm.h"

#include <QApplication>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The real main window with its dialogs, in a data folder and settings of its own, with
// message boxes answered by a script.
class MainWindowHarness {
public:
    MainWindowHarness()
    {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.Path() + "data"));
        QSettings().clear();
    }
    ~MainWindowHarness()
    {
        windows_.reset();
        QSettings().clear();
    }

    void Start()
    {
        windows_ = std::make_unique<AppWindows>();
        Form()->show();
        if (!QTest::qWaitForWindowExposed(Form()))
            qFatal("main window not shown");
    }
    void Stop() { windows_.reset(); }

    TRechnungsForm* Form() const { return windows_->RechnungsForm(); }
    TRechnungBook& Book() const { return windows_->RechnungsForm()->Book(); }
    ScriptedMessenger& Messenger() { return messenger_; }
    QString DataFolder() const { return QString::fromStdString(home_.Path()) + "data/Vestrik/Rekolon/"; }
    QString SaveDat() const { return DataFolder() + "save.dat"; }

    // The control of that name inside `scope` (a page or dialog), or the main window.
    template <class T> T* Child(const char* name, QObject* scope = nullptr) const
    {
        T* widget = (scope ? scope : static_cast<QObject*>(Form()))->template findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    static QString Cell(QTableView* view, int row, int column)
    {
        return view->model()->index(row, column).data().toString();
    }
    static int SelectedRow(QTableView* view)
    {
        const auto rows = view->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // Runs `act` on the next modal dialog as soon as it is shown.
    static void WhenDialogShown(std::function<void(QWidget*)> act)
    {
        QTimer::singleShot(0, [act] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                qFatal("no modal dialog");
            act(dialog);
        });
    }

private:
    TempDir home_;
    ScriptedMessenger messenger_;
    std::unique_ptr<AppWindows> windows_;
};
