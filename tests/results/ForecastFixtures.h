#pragma once
// Banks and histories for the pass forecast's tests, built in code.
#include "bank/QuestionBank.h"
#include "results/HistoryFile.h"

#include <QDate>
#include <memory>
#include <string>
#include <vector>

namespace forecastfixtures
{

// A bank of `perCategory[c]` single-choice questions in category c + 1 (one sub-category each),
// category names "Cat1", "Cat2", ...; a mock exam of `mockCount` questions.
inline std::unique_ptr<QuestionBank> bank(const std::vector<int>& perCategory, int mockCount)
{
    auto b = std::make_unique<QuestionBank>();
    b->mockCount = mockCount;
    b->mockMinutes = 30;
    b->categoryCount = int(perCategory.size());
    int index = 0;
    for (size_t c = 0; c < perCategory.size(); ++c) {
        CategoryEntry& category = b->category(int(c + 1));
        category.name = "Cat" + std::to_string(c + 1);
        category.questionCount = perCategory[c];
        category.sub(1) = {"All", perCategory[c]};
        for (int k = 0; k < perCategory[c]; ++k) {
            QuestionRecord& q = b->question(++index);
            q.number = index;
            q.category = int(c + 1);
            q.subCategory = 1;
            q.style = kStyleSingle;
            q.storedChoiceCount = q.shownChoiceCount = 4;
            q.correctCount = 1;
            q.text = "Q" + std::to_string(index);
            for (int k = 0; k < 4; ++k)
                q.choices[size_t(k)] = std::string(1, char('A' + k));
        }
    }
    b->questionCount = b->headerQuestionCount = b->recordsRead = index;
    return b;
}

// Adds `right` and `wrong` answers to the questions of `category` (bank positions `first`..
// `first + questions - 1`), spread one at a time over the questions.
inline void answer(History& history, int first, int questions, int right, int wrong)
{
    for (int k = 0; k < right; ++k)
        ++history.correct[size_t(first - 1 + k % questions)];
    for (int k = 0; k < wrong; ++k)
        ++history.wrong[size_t(first - 1 + k % questions)];
}

// Pushes an attempt of `count` questions at `rate` percent on `date` in front of the records.
inline void attempt(History& history, const QDate& date, int count, int rate)
{
    for (size_t k = history.attempts.size() - 1; k > 0; --k)
        history.attempts[k] = history.attempts[k - 1];
    AttemptRecord& a = history.attempts[0];
    a = {};
    a.month = date.month();
    a.day = date.day();
    a.hour = 10;
    a.rate = rate;
    a.mode = 2;
    a.questionCount = count;
}

} // namespace forecastfixtures
