#pragma once
// The data of one running exam session, shared by the category selection, exam, review and
// result screens. Positions are 1-based in the accessors: session positions 1..500, choices 1..10.
#include "bank/QuestionBank.h"

#include <array>
#include <string>

enum SessionMode : int {
    kModeNormal = 1,   // random order
    kModeMock = 2,     // mock exam
    kModeTraining = 3, // intensive training on weak questions
    kModeDrill = 4,    // the drill deck's questions due today, oldest due first
};

// What the category selection screen hands to the draw and the session.
struct SessionSettings {
    int mode = kModeNormal;
    int questionCount = 0;
    int timeLimitSeconds = 0;
    int timeLimitOn = 0; // 0 when the minutes entered were 0
    int availableCount = 0;
    bool adaptive = false;
    // checked[c-1][s-1]: sub-category s of category c is ticked.
    std::array<std::array<bool, kMaxSubCategories>, kMaxCategories> checked{};

    bool isChecked(int category, int subCategory) const
    {
        if (category < 1 || category > kMaxCategories || subCategory < 1 || subCategory > kMaxSubCategories)
            return false;
        return checked[size_t(category - 1)][size_t(subCategory - 1)];
    }
    void setChecked(int category, int subCategory, bool on)
    {
        checked.at(size_t(category - 1)).at(size_t(subCategory - 1)) = on;
    }
};

// One question of the running session in session order.
struct SessionQuestion {
    int bankIndex = 0; // 1..500
    int number = 0;
    int category = 0;
    int subCategory = 0;
    int style = 0;
    std::string text;
    int storedChoiceCount = 0;
    int shownChoiceCount = 0;
    int correctCount = 0;
    std::array<std::string, kMaxChoices> choices{};    // shuffled; beyond shownChoiceCount never shown
    std::array<unsigned char, kMaxChoices> keyFlags{}; // 1 where the choice at that position is correct
    std::string explanation;
    std::array<Reference, kReferenceCount> references{};
    std::array<Link, kLinkCount> links{};
};

// The user's answer to one session position.
struct AnswerRecord {
    std::array<unsigned char, kMaxChoices> answerFlags{};
    unsigned char marked = 0;
    unsigned char explanationViewed = 0;
    int secondsOnQuestion = 0;
};

// The session question table and the answer records, 500 each.
struct SessionTable {
    std::array<SessionQuestion, kMaxQuestions> questions{};
    int count = 0;
    SessionQuestion& question(int j) { return questions.at(size_t(j - 1)); }
    const SessionQuestion& question(int j) const { return questions.at(size_t(j - 1)); }
};

struct AnswerTable {
    std::array<AnswerRecord, kMaxQuestions> records{};
    AnswerRecord& at(int q) { return records.at(size_t(q - 1)); }
    const AnswerRecord& at(int q) const { return records.at(size_t(q - 1)); }
};
