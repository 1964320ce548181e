#pragma once
// The hand-over to the answer screen of a style 3 to 7 question of the running session.
#include "session/SessionTypes.h"
#include "styles/StyleQuestion.h"

#include <QString>

// Also names the question, so that a message about its data can.
inline StyleQuestion FillStyleQuestion(const SessionQuestion& question, const QString& questionDataDir)
{
    StyleQuestion result = FillStyleQuestion(question.text, question.choices, question.style, questionDataDir);
    result.questionNumber = question.number;
    return result;
}
