#include "qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace quorlin {

namespace {

QString settingPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

std::string QtSettingsStore::read(const std::string& application, const std::string& section, const std::string& key,
                                  const std::string& fallback) const
{
    const QString name = QString::fromStdString(application);
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, name, name);
    const QVariant value = store.value(settingPath(section, key));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtSettingsStore::save(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& value)
{
    const QString name = QString::fromStdString(application);
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, name, name);
    store.setValue(settingPath(section, key), QString::fromStdString(value));
    store.sync();
}

}  // namespace quorlin
