#include "ui/shared/FormStorage.h"

#include <QSettings>
#include <QWidget>

FormStorage::FormStorage(QWidget* window)
    : window_(window),
      group_(QString::fromLatin1(window->metaObject()->className()))
{
}

void FormStorage::Add(const QString& key, std::function<QVariant()> get, std::function<void(const QVariant&)> set)
{
    entries_.push_back({key, std::move(get), std::move(set)});
}

void FormStorage::AddProperty(const QString& key, QObject* object, const char* property)
{
    Add(
        key, [object, property] { return object->property(property); },
        [object, property](const QVariant& value) { object->setProperty(property, value); });
}

void FormStorage::RestoreValues()
{
    QSettings settings;
    settings.beginGroup(group_);
    for (const Entry& entry : entries_) {
        const QVariant value = settings.value(entry.key);
        if (value.isValid())
            entry.set(value);
    }
}

void FormStorage::Restore()
{
    {
        QSettings settings;
        const QByteArray geometry = settings.value(group_ + "/Geometry").toByteArray();
        if (!geometry.isEmpty())
            window_->restoreGeometry(geometry);
    }
    RestoreValues();
}

void FormStorage::Save() const
{
    QSettings settings;
    settings.beginGroup(group_);
    settings.setValue("Geometry", window_->saveGeometry());
    for (const Entry& entry : entries_)
        settings.setValue(entry.key, entry.get());
}
