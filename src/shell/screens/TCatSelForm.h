#pragma once
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"
#include "ui/Screen.h"

// Category selection: loads the chosen test, ticks categories, mode, count and time limit.
class TCatSelForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TCatSelForm(QWidget* parent = nullptr);

    // Read by the session and result screens; the bank lives here for the run.
    QuestionBank bank;
    SessionSettings session;
    SessionTable sessionQuestions;
};
