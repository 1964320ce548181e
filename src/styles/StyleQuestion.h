#pragma once
// What the exam screen (and the result screen) hands to the answer screen of a style 3 to 7
// question, and how the answer screen's verdict becomes a choice selection.
#include "bank/QuestionBank.h"

#include <QString>
#include <array>
#include <string>

inline constexpr int kStyleAreaCount = 5;

struct StyleQuestion {
    QString picturePath;       // first picture of the image line (styles 3, 4, 6, 7)
    QString answerPicturePath; // second picture (style 7: the correct connections)
    // Style 3: target areas "x1,y1,x2,y2" from the choices marked "a@".."e@", marks removed.
    std::array<std::string, kStyleAreaCount> areas{};
    // Styles 4, 6, 7: the choices marked "a@", "b@", "c@" without their first character, so
    // each keeps its leading "@". Style 5: without both mark characters: the correct text, the
    // comparison mode and the maximum length.
    std::string dataA;
    std::string dataB;
    std::string dataC;
    int correctChoice = 0;  // the (last) examined choice marked "a@"; 0 when none is
    int questionNumber = 0; // the question's number, so that a message about its data can name it
};

// Fills the hand-over of a question of `style` (3..7) from its text and stored choice texts.
// Styles outside 3..7 give an empty record (pictures still read from the image line).
StyleQuestion FillStyleQuestion(const std::string& text, const std::array<std::string, kMaxChoices>& choices, int style,
                                const QString& questionDataDir);

// The choice whose radio button is ticked when the answer screen judged the answer right:
// `correctChoice` when it lies in 1..5 (style 3) or 1..3 (styles 4 to 7), else 0 (none).
int styleAnswerChoice(int style, int correctChoice);
