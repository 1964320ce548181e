#pragma once
#include "session/SessionTypes.h"
#include "ui/Screen.h"

// The exam screen: one question at a time against the clock.
class TExamModeForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TExamModeForm(QWidget* parent = nullptr);

    // Called by the review screen: jump back to session position `row` in review mode.
    void reviewJump(int row);
    // Called by the review screen's score button and by time-up: end the session and show
    // the result screen.
    void scoreSession();
    // Set by the category selection screen when it starts a session ("Q.1").
    void setQuestionLabel(const QString& text);

    // Answer records and running state, read by the review and result screens.
    AnswerTable answers;
    int currentQuestion = 1;
    int elapsedSeconds = 0;
    int questionStartSeconds = 0;
    int paused = 0;
    int caseStudyClosed = 1;
    int reviewMode = 0;
};
