#pragma once
#include "ui/Screen.h"

// The review screen: every question with its answer and mark; jump back or score.
class TConfirmForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TConfirmForm(QWidget* parent = nullptr);

    // Back to the first row (the category selection screen does this when shown, and the
    // exam screen before it shows this screen after the last question).
    void resetPosition();
};
