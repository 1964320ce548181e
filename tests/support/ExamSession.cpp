#include "support/ExamSession.h"

#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"

namespace testsupport {

void startExamSession(const std::vector<SessionQuestion>& questions, int limitSeconds)
{
    TCatSelForm* cat = screens().CatSelForm;
    cat->session.questionCount = int(questions.size());
    cat->session.timeLimitSeconds = limitSeconds;
    cat->session.timeLimitOn = limitSeconds > 0 ? 1 : 0;
    cat->sessionQuestions.count = int(questions.size());
    for (size_t i = 0; i < questions.size(); ++i)
        cat->sessionQuestions.questions[i] = questions[i];
    TExamModeForm* exam = screens().ExamModeForm;
    exam->answers = AnswerTable{};
    exam->setQuestionLabel(QStringLiteral("Q.1"));
    exam->show();
}

} // namespace testsupport
