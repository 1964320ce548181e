#include "online/FormEncoding.h"

#include "bank/Hex.h"

namespace online
{

namespace
{

bool staysPlain(unsigned char b)
{
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9'))
        return true;
    return std::string_view("-._~@:/!$'()*,;").find(char(b)) != std::string_view::npos;
}

} // namespace

std::string percentEncode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (staysPlain(b)) {
            out += c;
        } else {
            out += '%';
            hex::appendByte(out, b);
        }
    }
    return out;
}

std::string percentDecode(std::string_view text, bool plusIsBlank)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size()) {
            if (auto byte = hex::decode(text.substr(i + 1, 2))) {
                out += *byte;
                i += 2;
                continue;
            }
        }
        out += (c == '+' && plusIsBlank) ? ' ' : c;
    }
    return out;
}

std::string formString(const FormFields& fields)
{
    std::string out;
    for (const auto& [key, value] : fields) {
        if (!out.empty())
            out += '&';
        out += key;
        out += '=';
        out += percentEncode(value);
    }
    return out;
}

QString serverUrl(const QString& address)
{
    if (address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
        address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("http://") + address;
}

} // namespace online
