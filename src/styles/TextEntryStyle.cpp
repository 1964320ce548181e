#include "styles/TextEntryStyle.h"

#include "styles/StyleData.h"

namespace textentry
{

TextEntry fromHandOver(const StyleQuestion& question)
{
    TextEntry entry;
    entry.correct = question.dataA;
    entry.mode = styledata::trimmed(question.dataB);
    // An empty or zero length means no limit, as for any one-line text field.
    const std::string length = styledata::trimmed(question.dataC);
    if (!length.empty()) {
        const auto value = styledata::parseInt(length);
        entry.maxLengthValid = value.has_value();
        entry.maxLength = value && *value > 0 ? *value : 0;
    }
    return entry;
}

bool judge(const TextEntry& entry, const std::optional<std::string>& input)
{
    if (!input)
        return false;
    const std::string answer = styledata::trimmed(*input);
    if (entry.mode == "on")
        return entry.correct == answer;
    if (entry.mode == "off")
        return styledata::lowerAsciiBytes(entry.correct) == styledata::lowerAsciiBytes(answer);
    return false;
}

} // namespace textentry
