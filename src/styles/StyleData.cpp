#include "styles/StyleData.h"

#include <charconv>

namespace styledata
{

std::vector<std::string> splitItems(std::string_view data)
{
    std::vector<std::string> items;
    for (const char c : data) {
        if (c == '@')
            items.emplace_back();
        else if (!items.empty())
            items.back() += c;
    }
    return items;
}

std::vector<std::string> splitFields(std::string_view item, char separator)
{
    std::vector<std::string> fields(1);
    for (const char c : item) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::optional<int> parseInt(std::string_view text)
{
    // Leading blanks are read over, as authors write "10, 20"; trailing ones are not.
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    size_t start = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (start == text.size())
        return std::nullopt;
    for (size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    int value = 0;
    // from_chars takes '-' but not '+'.
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> parseInts(std::string_view item, int count)
{
    const std::vector<std::string> fields = splitFields(item, ',');
    if (int(fields.size()) < count)
        return std::nullopt;
    std::vector<int> values;
    values.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const auto value = parseInt(fields[size_t(i)]);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::string trimmed(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string lowerAsciiBytes(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return result;
}

} // namespace styledata
