#pragma once
// How a question is laid out on the exam screen, independent of widgets: the stacking of the
// choices from their displayed line counts, and the rules for the question text's scroll bar and
// the "Q." label's font. The image line at the head of a question text is read in ImageLine.h.
#include "styles/ImageLine.h"

#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <string_view>

namespace questionlayout
{

inline constexpr int kChoiceCount = 10;

// Line pitch of a choice text, in pixels.
inline constexpr int kChoiceLinePitch = 12;

// Where one choice stands in the answer panel.
struct ChoicePlace {
    int buttonTop = 0; // the radio button and the check box
    int textTop = 0;
    int textHeight = 0;
};

// Stacks the ten choices from the displayed line counts of their texts: the first at 5 (button)
// and 7 (text); each text is lines x 12 + 10 high; the next choice's button follows at
// text top + lines x 12 + 7 and its text at text top + lines x 12 + 9.
std::array<ChoicePlace, kChoiceCount> placeChoices(const std::array<int, kChoiceCount>& lineCounts);

// The question text gets a vertical scroll bar when it shows more than this many lines.
inline constexpr int kQuestionVisibleLines = 12;
inline bool questionNeedsScrollBar(int displayedLines)
{
    return displayedLines > kQuestionVisibleLines;
}

// Font size (in points at 96 dpi) and top of the "Q." label: smaller from position 100 on.
struct LabelFont {
    int pointSize = 10;
    int top = 1;
};
LabelFont questionLabelFont(int position);

// "Q." + position.
QString questionLabel(int position);

// The lower-case letter of choice position 1..10 ("a".."j"); empty outside that range.
QString choiceLetter(int position);

// What a screen reader says for choice `position`: "a. " and its text on one line (line breaks
// become blanks, blanks at the ends dropped).
QString spokenChoice(int position, const QString& text);

// What a screen reader is told about the question on screen: its text, then each of `choices`
// (the shown ones, in their order) as spokenChoice, one per line.
QString spokenQuestion(const QString& text, const QStringList& choices);

} // namespace questionlayout
