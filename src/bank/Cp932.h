#pragma once
// The one place where CP932 (Windows Shift-JIS) bytes and Unicode text meet.
// File text stays bytes (std::string) through the program; it becomes a QString only
// where a widget shows it, and typed text becomes CP932 bytes where it is stored.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace cp932
{

// Bytes -> text. Invalid byte sequences become U+FFFD-like replacement characters; never fails.
QString toUnicode(std::string_view bytes);

// Bytes -> text, or nothing when the bytes are not valid CP932.
std::optional<QString> toUnicodeStrict(std::string_view bytes);

// Text -> bytes. Characters CP932 cannot hold become '?'.
std::string fromUnicode(const QString& text);

// Text -> bytes, or nothing when a character cannot be held in CP932 (reject typed input).
std::optional<std::string> fromUnicodeStrict(const QString& text);

// Shorthand for literals written in UTF-8 in the source: "テスト名 : "_sjis style conversions.
inline std::string fromUtf8(std::string_view utf8)
{
    return fromUnicode(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}
inline std::string toUtf8(std::string_view bytes)
{
    return toUnicode(bytes).toStdString();
}

} // namespace cp932
