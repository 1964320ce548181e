#pragma once
// The text entry answer style: the correct text, how it is compared, and how long the input may be.
#include "styles/StyleQuestion.h"

#include <optional>
#include <string>
#include <string_view>

namespace textentry
{

// The three items of a text entry question, taken from its hand-over record.
struct TextEntry {
    std::string correct;        // CP932, as written after "a@" (not trimmed)
    std::string mode;           // "on": exact; "off": ASCII letters without regard to case; else never right
    int maxLength = 0;          // characters the input field takes; 0 for no limit
    bool maxLengthValid = true; // false when "c@" held something other than a decimal number
};

TextEntry fromHandOver(const StyleQuestion& question);

// The judgement of `input` (the typed text, CP932; nothing when it held a character CP932 cannot
// hold, which then never matches). The input is trimmed, the correct text is not.
bool judge(const TextEntry& entry, const std::optional<std::string>& input);

} // namespace textentry
