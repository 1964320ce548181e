#pragma once
// What the result screen puts on its controls, as text: the question table, the selected
// question with its explanation, the date and time labels, the FAQ address. No widgets here.
#include "results/Scoring.h"
#include "session/SessionTypes.h"

#include <QString>
#include <QStringList>
#include <string>

// One row of the question table: "Q.3", " a c", " b", "  ○".
struct ResultRow {
    QString number;
    QString answer;
    QString key;
    QString mark;
};

// " a c" for choices a and c selected: one blank and the letter per set flag, in order.
QString ChoiceLetters(const std::array<unsigned char, kMaxChoices>& flags);

// The label an answer style question shows instead of letters; empty for styles 1 and 2.
QString StyleLabel(int style);

// Row r of the table for a session question, its answer record and its verdict.
ResultRow MakeResultRow(int r, const SessionQuestion& question, const AnswerRecord& answer, bool right);

// The image line of a question text: when its first line contains "<INCLUDE IMG>", that line
// names up to four exhibits ("@" starts each name) and the rest is the text shown.
struct QuestionExhibits {
    QStringList paths; // question data directory + "img/" + name, at most four
    std::string text;  // the text without the image line (the whole text when there is none)
};
QuestionExhibits SplitExhibits(const std::string& text, const QString& questionDataDir);

// The text of the right panel for a selected question (CP932, CR LF line ends): question,
// choices (styles 1 and 2 and anything not 3..7), explanation and references.
std::string QuestionDetailText(const SessionQuestion& question, const std::string& shownText);

// "2024/3/9 14:5": no leading zeros.
QString AttemptDateText(const AttemptStamp& stamp);
// "12' 34" for 754 seconds.
QString AttemptTimeText(int minutes, int seconds);

// address + "?testid=" + code + "&testno=" + number, the values percent-encoded (the code as
// its CP932 bytes). `address` is the first line of the file "urlref", trimmed.
QString FaqAddress(const QString& address, const std::string& testCode, int questionNumber);
