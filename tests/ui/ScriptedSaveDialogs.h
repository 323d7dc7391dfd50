#pragma once

#include "ui/shared/StandardDialogs.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

// Save dialogs answered in advance; every call is recorded. Other dialogs are cancelled.
class ScriptedSaveDialogs final : public StandardDialogs {
public:
    struct SaveCall {
        QString caption, start, filter, suffix;
    };
    QStringList answers;  // one per save dialog; an empty answer cancels
    QList<SaveCall> saves;

    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString& caption, const QString& start, const QString& filter,
                            const QString& suffix) override
    {
        saves.append({caption, start, filter, suffix});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    bool GetFont(QWidget*, const QString&, QFont&) override { return false; }
};
