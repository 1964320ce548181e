#include "ScreenRoad.h"

#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "shell/screens/TMainMenuForm.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

namespace bench
{

namespace
{
void expectShown(QWidget* screen, const char* what)
{
    if (!screen->isVisible())
        qFatal("%s is not shown", what);
}
} // namespace

void paint(QWidget* window)
{
    // Layouts and deletions the handler left behind; the screen's own update request would paint
    // it a second time, so the one paint is the grab.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QPixmap picture = window->grab();
    if (picture.isNull())
        qFatal("%s painted nothing", qPrintable(window->objectName()));
}

void showOpeningScreen()
{
    screens().MainMenuForm->show();
    paint(screens().MainMenuForm);
}

void openCourseMenu()
{
    screens().MainMenuForm->FormKeyDown(Qt::Key_Space);
    expectShown(screens().CourseMenuForm, "the course menu");
    paint(screens().CourseMenuForm);
}

void pressFirstTab()
{
    screens().CourseMenuForm->Image4MouseDown(116);
    paint(screens().CourseMenuForm);
}

void openCategorySelection()
{
    screens().CourseMenuForm->RDBClick(1);
    screens().CourseMenuForm->Button2Click();
    expectShown(screens().CatSelForm, "the category selection");
    paint(screens().CatSelForm);
}

void setAdaptive(bool on)
{
    screens().CatSelForm->findChild<QCheckBox*>(QStringLiteral("cbAdaptive"))->setChecked(on);
}

void pressStart(int count)
{
    TCatSelForm* cat = screens().CatSelForm;
    cat->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::number(count));
    cat->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("120"));
    cat->Button1Click();
    expectShown(screens().GenericMBForm, "the start notice");
    paint(screens().GenericMBForm);
}

void handOverToExam()
{
    TGenericMBForm* notice = screens().GenericMBForm;
    while (notice->isVisible())
        notice->Timer1Timer();
    expectShown(screens().ExamModeForm, "the exam screen");
    paint(screens().ExamModeForm);
}

void answerAndGoNext()
{
    TExamModeForm* exam = screens().ExamModeForm;
    auto* radio = exam->findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
    if (radio->isVisibleTo(exam))
        radio->setChecked(true);
    else
        exam->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    exam->Button2Click();
    paint(exam);
}

void goBack()
{
    screens().ExamModeForm->Button6Click();
}

int currentQuestion()
{
    return examSession().currentQuestion;
}

void openReview()
{
    screens().ExamModeForm->Button4Click();
    expectShown(screens().ConfirmForm, "the review screen");
    paint(screens().ConfirmForm);
}

void showResult()
{
    screens().ConfirmForm->Button1Click();
    expectShown(screens().ResultForm, "the result screen");
    paint(screens().ResultForm);
}

void leaveResult()
{
    screens().ResultForm->Button3Click();
    expectShown(screens().CourseMenuForm, "the course menu");
    paint(screens().CourseMenuForm);
}

} // namespace bench
