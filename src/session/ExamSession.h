#pragma once
// What one sitting is: the question bank it draws from, the settings and the questions drawn,
// the answers given, where the person stands, the clock, the case study, the exhibit shown and
// the hand-over to the answer screens of styles 3 to 7. One object for the run, created beside
// the screens and handed to those that take part in a sitting.
#include "bank/QuestionBank.h"
#include "bank/TestSettingsFile.h"
#include "session/SelectQuestion.h"
#include "session/SessionTypes.h"
#include "styles/StyleHandOver.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class ExamSession
{
  public:
    // The test's questions as loaded by the category selection screen.
    QuestionBank bank;
    // Mode, count, time limit and ticks as the category selection screen stored them.
    SessionSettings settings;
    // The questions drawn, in session order.
    SessionTable sessionQuestions;
    // The answer record of each session position.
    AnswerTable answers;

    int currentQuestion = 1;      // session position on screen
    int elapsedSeconds = 0;       // since the sitting started; set to the limit at time-up
    int questionStartSeconds = 0; // elapsedSeconds when the current question was put on screen
    int paused = 0;               // 1 while the person has paused the sitting
    int reviewMode = 0;           // 1 once the review screen sent the person back to a question
    int caseStudyClosed = 1;      // 0 while the first showing of the case study is still open

    // The test's case study (empty when the test has none).
    CaseStudy caseStudy;
    // The picture the exhibit window showed last, from whichever screen asked for it.
    QString exhibitPath;
    // The records handed to the answer and view screens of styles 3..7, and their verdict.
    StyleHandOver styleHandOver;

    // Session length: the question count settled on, within 0..500.
    int count() const;
    // q is a position of this sitting (1..count()).
    bool isPosition(int q) const;
    // Session question q; null outside 1..count().
    const SessionQuestion* question(int q) const;

    // Every answer record back to empty.
    void clearAnswers();
    // Draws the questions from the bank as the settings say. The session is as long as what
    // could be drawn; when that is shorter than asked and nothing at all was drawn, false is
    // returned and the answers are left alone. Otherwise the answers start clean, and the
    // position, review mode and pause are back at their start.
    bool draw(const std::array<std::uint8_t, kMaxQuestions>& trainingWeights, const DrawRandom& random);
    // A drill session of the bank positions `positions`, in that order: the settings become those
    // of a drill (its own mode, no time limit, the adaptive record kept, every category ticked)
    // and the questions are drawn as `draw` does. False, with nothing changed, when `positions`
    // is empty.
    bool drawListed(const std::vector<int>& positions, const DrawRandom& random);
    // The sitting starts on the exam screen: the first question, the clock at 0, running, not in
    // review. With a case study present, time-up waits until its first showing is closed.
    void start(CaseStudy study);
    // The person closed the case study window: the time spent there does not count for the
    // question on screen, and a pending time-up may now end the sitting.
    void closeCaseStudy();

    // Makes q the question on screen in review mode; false (nothing changed) when q is not a
    // position of this sitting.
    bool enterReview(int q);
    // Scoring ends the review.
    void leaveReview() { reviewMode = 0; }
    // Pauses a running sitting or resumes a paused one; returns whether it is paused now.
    bool togglePause();

    // The current question was put on screen now.
    void markQuestionStart() { questionStartSeconds = elapsedSeconds; }
    // Adds the time since the current question was put on screen to its record. Time-up sets the
    // clock back to the limit, which may lie before that moment: such a visit adds nothing.
    void accountTime();

  private:
    void resetPosition();
};
