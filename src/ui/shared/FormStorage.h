#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

class QObject;
class QWidget;

// Keeps a window's geometry and a few listed values per user between runs, in the settings
// store (organisation "Vestrik", application "Rekolon"), in a group named after the window
// class. Values are restored when the window is first shown and saved when it closes.
class FormStorage {
public:
    explicit FormStorage(QWidget* window);

    // A value under its key (e.g. "ZoomEd.Value") with its getter and setter.
    void Add(const QString& key, std::function<QVariant()> get, std::function<void(const QVariant&)> set);
    // A Qt property of a child object (e.g. "CopyArtikelsCheck.Checked" → "checked").
    void AddProperty(const QString& key, QObject* object, const char* property);

    void Restore();
    void Save() const;
    // Restores the listed values only, not the geometry (for a dialog read at start).
    void RestoreValues();

private:
    struct Entry {
        QString key;
        std::function<QVariant()> get;
        std::function<void(const QVariant&)> set;
    };

    QWidget* window_;
    QString group_;
    std::vector<Entry> entries_;
};
