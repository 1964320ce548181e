#include "bank/source/SourceForm.h"

#include "bank/Cp932.h"
#include "bank/Hex.h"
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"

namespace qsource
{

std::string storedForm(Role role, std::string_view text)
{
    if (role == Role::Plain || (role == Role::Reference && textlines::trim(text) == "Null"))
        return std::string(text);
    return ScrambleLine(text);
}

std::string shownForm(Role role, std::string_view stored)
{
    return storedForm(role, stored);
}

std::string escapeBytes(std::string_view bytes)
{
    std::string out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > 0x20 && b < 0x7F && b != '%') {
            out.push_back(ch);
        } else {
            out.push_back('%');
            hex::appendByte(out, b);
        }
    }
    return out;
}

std::optional<std::string> unescapeBytes(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        auto byte = hex::decode(text.substr(i + 1, 2));
        if (!byte)
            return std::nullopt;
        out += *byte;
        i += 2;
    }
    return out;
}

std::optional<QString> sourceText(std::string_view bytes)
{
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b < 0x20 && b != '\t') || b == 0x7F)
            return std::nullopt;
    }
    auto text = cp932::toUnicodeStrict(bytes);
    if (!text)
        return std::nullopt;
    auto back = cp932::fromUnicodeStrict(*text);
    if (!back || *back != bytes)
        return std::nullopt;
    return text;
}

int headerIndex(std::string_view key)
{
    for (int i = 0; i < kHeaderCount; ++i) {
        if (key == kHeaderKeys[i])
            return i;
    }
    return -1;
}

} // namespace qsource
