#include "session/ExamSession.h"

#include <algorithm>
#include <utility>

int ExamSession::count() const
{
    return std::clamp(settings.questionCount, 0, kMaxQuestions);
}

bool ExamSession::isPosition(int q) const
{
    return q >= 1 && q <= count();
}

const SessionQuestion* ExamSession::question(int q) const
{
    return isPosition(q) ? &sessionQuestions.question(q) : nullptr;
}

void ExamSession::clearAnswers()
{
    answers.records.fill(AnswerRecord{});
}

bool ExamSession::draw(const std::array<std::uint8_t, kMaxQuestions>& trainingWeights, const DrawRandom& random)
{
    SelectQuestion(bank, settings, trainingWeights, random, sessionQuestions);
    // The category table's counts may promise more questions than the file holds: the session
    // is as long as what could be drawn, and an empty one does not start.
    if (sessionQuestions.count < settings.questionCount) {
        settings.questionCount = sessionQuestions.count;
        if (settings.questionCount <= 0)
            return false;
    }
    clearAnswers();
    resetPosition();
    return true;
}

bool ExamSession::drawListed(const std::vector<int>& positions, const DrawRandom& random)
{
    if (positions.empty())
        return false;
    settings = SessionSettings{};
    settings.mode = kModeDrill;
    for (auto& category : settings.checked)
        category.fill(true);
    FillSessionTable(bank, positions, random, sessionQuestions);
    settings.questionCount = sessionQuestions.count;
    settings.availableCount = sessionQuestions.count;
    settings.adaptive = true;
    clearAnswers();
    resetPosition();
    return true;
}

void ExamSession::start(CaseStudy study)
{
    resetPosition();
    elapsedSeconds = 0;
    questionStartSeconds = 0;
    caseStudy = std::move(study);
    caseStudyClosed = caseStudy.present ? 0 : 1;
}

void ExamSession::closeCaseStudy()
{
    markQuestionStart();
    caseStudyClosed = 1;
}

bool ExamSession::enterReview(int q)
{
    if (!isPosition(q))
        return false;
    currentQuestion = q;
    reviewMode = 1;
    return true;
}

bool ExamSession::togglePause()
{
    paused = paused == 0 ? 1 : 0;
    return paused == 1;
}

void ExamSession::accountTime()
{
    if (isPosition(currentQuestion))
        answers.at(currentQuestion).secondsOnQuestion += std::max(0, elapsedSeconds - questionStartSeconds);
}

void ExamSession::resetPosition()
{
    currentQuestion = 1;
    reviewMode = 0;
    paused = 0;
}
