#include "bank/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>

namespace cp932
{
namespace
{
// "windows-31j" is the Windows table (～ is U+FF5E, NEC/IBM extensions round-trip);
// glibc's SHIFT_JIS is not. Stateless so a trailing lead byte is not silently held back.
constexpr auto kName = "windows-31j";
constexpr auto kFlags = QStringConverter::Flag::Stateless;

// Opening a converter by name costs far more than converting a short text, and texts are converted
// by the thousand (every question, choice and category name), so each thread keeps one of each for
// good. A conversion error is only a count in the converter's state, so the count is cleared before
// each use; opening a new converter after every error would open one per character of a text full
// of characters CP932 cannot hold, and resetState() closes the ICU converter underneath.
template <typename Converter> class Reused : public Converter
{
  public:
    Reused() : Converter(kName, kFlags) {}
    Reused& fresh()
    {
        this->state.invalidChars = 0;
        return *this;
    }
};

QStringDecoder& decoder()
{
    thread_local Reused<QStringDecoder> d;
    return d.fresh();
}

QStringEncoder& encoder()
{
    thread_local Reused<QStringEncoder> e;
    return e.fresh();
}

// Printable ASCII, tab and line ends map one to one, so such text needs no converter. Not every
// byte below 0x80 does: the table swaps 0x1A, 0x1C and 0x7F with other control characters.
bool isPlain(unsigned c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
}

bool isPlain(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return isPlain(static_cast<unsigned char>(c)); });
}

bool isPlain(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isPlain(c.unicode()); });
}
} // namespace

std::optional<QString> toUnicodeStrict(std::string_view bytes)
{
    if (isPlain(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder& d = decoder();
    QString text = d.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (d.hasError())
        return std::nullopt;
    return text;
}

QString toUnicode(std::string_view bytes)
{
    if (isPlain(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    return decoder().decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> fromUnicodeStrict(const QString& text)
{
    if (isPlain(text))
        return text.toLatin1().toStdString();
    QStringEncoder& e = encoder();
    QByteArray bytes = e.encode(text);
    if (e.hasError())
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
