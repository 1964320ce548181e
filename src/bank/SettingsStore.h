#pragma once
// Per-user settings: organisation "Veltrix", sections "Quarvel" and "Quarvel Disc", one string value
// at a time, read and written at the moment a screen needs it. On Windows this is the registry key
// HKEY_CURRENT_USER\Software\Veltrix; elsewhere the platform's per-user settings file.
#include <QString>

namespace settings
{

inline constexpr auto kSection = "Quarvel";
inline constexpr auto kDiscSection = "Quarvel Disc";

// The stored value, or `fallback` when it is missing. Reading never creates anything.
QString ReadSetting(const QString& section, const QString& name, const QString& fallback = {});

// Stores one value; the section is created when needed.
void WriteSetting(const QString& section, const QString& name, const QString& value);

// Points the store at a private directory (tests; never the user's real settings).
void redirectForTests(const QString& directory);

} // namespace settings
