#pragma once
// The one hand-over between the screens that ask for an interactive answer (exam, explanation,
// result) and the answer and view screens of styles 3 to 7: one record per style, filled by the
// asking screen, and the verdict the answer screen leaves behind. The sitting owns the one the
// program uses.
#include "styles/StyleQuestion.h"

#include <array>

struct StyleHandOver {
    std::array<StyleQuestion, 5> questions{};
    // 1 when the answer screen judged the answer correct, 0 otherwise; reset by each asking.
    int passed = 0;

    // The record of `style` (3..7); a style outside that range gets the graphic style's record.
    StyleQuestion& question(int style);
};
