#pragma once
#include "session/SessionTypes.h"
#include "ui/Screen.h"

// The exam screen: one question at a time against the clock.
class TExamModeForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TExamModeForm(QWidget* parent = nullptr);

    // Answer records and running state, read by the review and result screens.
    AnswerTable answers;
    int currentQuestion = 1;
    int elapsedSeconds = 0;
    int questionStartSeconds = 0;
    int paused = 0;
    int caseStudyClosed = 1;
    int reviewMode = 0;
};
