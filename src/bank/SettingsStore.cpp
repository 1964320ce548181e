#include "bank/SettingsStore.h"

#include <QSettings>

namespace settings
{

QString ReadSetting(const QString& section, const QString& name, const QString& fallback)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veltrix"));
    const QVariant value = s.value(section + QLatin1Char('/') + name);
    return value.isValid() ? value.toString() : fallback;
}

void WriteSetting(const QString& section, const QString& name, const QString& value)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veltrix"));
    const QString key = section + QLatin1Char('/') + name;
    // The same value again (the course menu stores its tab at every start) writes nothing: a
    // write rewrites and syncs the whole file.
    const QVariant stored = s.value(key);
    if (stored.isValid() && stored.toString() == value)
        return;
    s.setValue(key, value);
    s.sync();
}

void redirectForTests(const QString& directory)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, directory);
}

} // namespace settings
