#pragma once
// How an answer in a recorded attempt grades the review of its question in the drill deck.
#include "results/Fsrs.h"

// What the rule needs to know of one answer.
struct DrillAnswerFacts {
    bool correct = false;
    int seconds = 0;                // time on the question in this attempt
    bool explanationOpened = false; // "正解・解説" was opened on it before it was scored
    int averageSeconds = 0;         // the adaptive record's average before this attempt; 0 or less: no data
};

// Wrong: Again. Right after opening the explanation, or slower than twice the average: Hard.
// Right in under a third of the average: Easy. Any other right answer, and every right answer
// without an average to compare with: Good.
fsrs::Grade DrillGrade(const DrillAnswerFacts& answer);
