#include "bank/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp932 {
namespace {
// "windows-31j" is the Windows table (～ is U+FF5E, NEC/IBM extensions round-trip);
// glibc's SHIFT_JIS is not. Stateless so a trailing lead byte is not silently held back.
constexpr auto kName = "windows-31j";
constexpr auto kFlags = QStringConverter::Flag::Stateless;
} // namespace

std::optional<QString> toUnicodeStrict(std::string_view bytes)
{
    QStringDecoder decoder(kName, kFlags);
    QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString toUnicode(std::string_view bytes)
{
    QStringDecoder decoder(kName, kFlags);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> fromUnicodeStrict(const QString& text)
{
    QStringEncoder encoder(kName, kFlags);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

std::string fromUnicode(const QString& text)
{
    if (auto whole = fromUnicodeStrict(text))
        return *whole;
    // Encode per code point so one unrepresentable character costs only itself.
    std::string out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (auto piece = fromUnicodeStrict(text.mid(i, len)))
            out += *piece;
        else
            out += '?';
        i += len;
    }
    return out;
}

} // namespace cp932
