#include "bank/SettingsStore.h"

#include <QSettings>

namespace settings {

QString ReadSetting(const QString& section, const QString& name, const QString& fallback)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veltrix"));
    const QVariant value = s.value(section + QLatin1Char('/') + name);
    return value.isValid() ? value.toString() : fallback;
}

void WriteSetting(const QString& section, const QString& name, const QString& value)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veltrix"));
    s.setValue(section + QLatin1Char('/') + name, value);
    s.sync();
}

void redirectForTests(const QString& directory)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, directory);
}

} // namespace settings
