#pragma once
// Putting a finished temporary file in place of an installed one: one rename over the old file,
// so the installed file is always either the old one or the new one, never missing.
#include <QString>
#include <optional>

namespace online
{

// Renames `from` over `to`; the error names both when it fails.
std::optional<QString> replaceFile(const QString& from, const QString& to);

} // namespace online
