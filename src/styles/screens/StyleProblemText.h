#pragma once
// The text of a message about a question's unusable answer data, naming the question.
#include "styles/StyleItems.h"

#include <QString>

struct StyleQuestion;

// "問題 12 のデータを使えません。" + the problem and, when given, the item as written.
QString styleProblemText(const StyleQuestion& question, const styleitems::Problem& problem);
// "問題 12: " (or nothing when the number is unknown) + `text`.
QString styleQuestionMessage(const StyleQuestion& question, const QString& text);
