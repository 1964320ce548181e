#include "support/ExamSession.h"

#include "session/ExamSession.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"

namespace testsupport
{

SessionQuestion singleChoiceQuestion(int number)
{
    SessionQuestion q;
    q.bankIndex = q.number = number;
    q.category = q.subCategory = 1;
    q.style = kStyleSingle;
    q.text = "Question";
    q.storedChoiceCount = q.shownChoiceCount = 2;
    q.correctCount = 1;
    q.choices = {"right", "wrong"};
    q.keyFlags[0] = 1;
    return q;
}

AnswerRecord choiceAnswer(int choice, int seconds)
{
    AnswerRecord a;
    a.answerFlags[size_t(choice)] = 1;
    a.secondsOnQuestion = seconds;
    return a;
}

void startExamSession(const std::vector<SessionQuestion>& questions, int limitSeconds)
{
    ExamSession& session = examSession();
    session.settings.questionCount = int(questions.size());
    session.settings.timeLimitSeconds = limitSeconds;
    session.settings.timeLimitOn = limitSeconds > 0 ? 1 : 0;
    session.sessionQuestions.count = int(questions.size());
    for (size_t i = 0; i < questions.size(); ++i)
        session.sessionQuestions.questions[i] = questions[i];
    session.answers = AnswerTable{};
    TExamModeForm* exam = screens().ExamModeForm;
    exam->setQuestionLabel(QStringLiteral("Q.1"));
    exam->show();
}

} // namespace testsupport
