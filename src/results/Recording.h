#pragma once
// Adding a finished attempt to the history of its test, as the result screen does when it hides.
#include "results/HistoryFile.h"
#include "results/Scoring.h"

// The history after this attempt: the attempt becomes record 1 (the oldest of ten drops out),
// best and average follow, every category asked in the attempt (1..categoryCount) gets its new
// rate, five-attempt average and best, and the per-question counts grow by this attempt.
// Minutes and counts stop at 255 instead of wrapping around their byte.
History AppendAttempt(const History& loaded, const AttemptScore& score, const CategoryTally& categories,
                      const SessionTable& questions, int mode, int categoryCount);
