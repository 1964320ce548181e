#pragma once
// The screens of one attempt driven as a person would, for the benchmarks: each step calls the
// handler a click would, then lets the layouts and deletions it left run and paints the screen
// that now shows.
// A step that does not reach its screen ends the program with a message.
#include <QWidget>

namespace bench
{

// The layouts and deletions the event loop does after a handler returns, then one paint of `window`.
void paint(QWidget* window);

// Opening screen shown; Space leads on to the course menu, which is painted.
void showOpeningScreen();
void openCourseMenu();
// The course menu's first tab pressed again: the vendor's tests listed anew.
void pressFirstTab();
// The first test started: the category selection screen loads it.
void openCategorySelection();
// Every category ticked; `count` questions, 120 minutes; start: the draw and the start notice.
void pressStart(int count);
// The notice's time is up: the exam screen with question 1.
void handOverToExam();
// The first choice ticked, then "next".
void answerAndGoNext();
// Back one question (not a benchmarked step: it makes room for the next "next").
void goBack();
int currentQuestion();
// The score button: the review screen.
void openReview();
// Scoring from the review: the result screen.
void showResult();
// Back to the course menu: the attempt is recorded.
void leaveResult();
// The session's adaptive option, as the category selection's check box would set it.
void setAdaptive(bool on);

} // namespace bench
