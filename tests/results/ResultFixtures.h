#pragma once
// Sessions built in code for the result tests: every question has its key at choice 1 (or the
// given key), the answer is the key when the question is to be right and choice 2 otherwise.
#include "session/SessionTypes.h"

#include <memory>
#include <vector>

namespace fixtures
{

struct Session {
    std::unique_ptr<SessionTable> questions = std::make_unique<SessionTable>();
    std::unique_ptr<AnswerTable> answers = std::make_unique<AnswerTable>();
    int count = 0;

    // Appends one question of `category` (bank index `bankIndex`, or its position when 0).
    SessionQuestion& add(int category, bool right, int bankIndex = 0)
    {
        ++count;
        questions->count = count;
        SessionQuestion& q = questions->question(count);
        q.bankIndex = bankIndex > 0 ? bankIndex : count;
        q.number = 100 + q.bankIndex;
        q.category = category;
        q.subCategory = 1;
        q.style = kStyleSingle;
        q.storedChoiceCount = q.shownChoiceCount = 4;
        q.correctCount = 1;
        q.keyFlags = {};
        q.keyFlags[0] = 1;
        AnswerRecord& a = answers->at(count);
        a.answerFlags = {};
        a.answerFlags[right ? 0 : 1] = 1;
        return q;
    }
};

} // namespace fixtures
