#pragma once
// The 27 screens of the program, created once at start-up in this order and kept for the run.
// Screens reach each other only through this catalogue; what a sitting is lives in one
// ExamSession beside it, handed to the screens that take part.
#include <QList>
#include <functional>

namespace ui
{
class Screen;
}
class Selection;
class TMainMenuForm;
class TCourseMenuForm;
class TExamModeForm;
class TGenericMBForm;
class TResultForm;
class TStudyForm;
class TCatSelForm;
class TCheatForm;
class TConfirmForm;
class TUpdateForm;
class TDownLoad;
class TRefImgForm;
class TfrmSelStyle4;
class TfrmSelStyle3;
class TfrmSelStyle4View;
class TfrmSelStyle3View;
class TCaseStudyForm;
class TfrmSelStyle5;
class TfrmSelStyle5View;
class TfrmSelStyle6View;
class TfrmSelStyle6;
class TAdaptiveForm;
class TfrmSelStyle7;
class TfrmSelStyle7View;
class TSyncForm;
class TSyncCandidateForm;
class TForm1;
class ExamSession;

struct ScreenCatalogue {
    TMainMenuForm* MainMenuForm = nullptr;
    TCourseMenuForm* CourseMenuForm = nullptr;
    TExamModeForm* ExamModeForm = nullptr;
    TGenericMBForm* GenericMBForm = nullptr;
    TResultForm* ResultForm = nullptr;
    TStudyForm* StudyForm = nullptr;
    TCatSelForm* CatSelForm = nullptr;
    TCheatForm* CheatForm = nullptr;
    TConfirmForm* ConfirmForm = nullptr;
    TUpdateForm* UpdateForm = nullptr;
    TDownLoad* DownLoad = nullptr;
    TRefImgForm* RefImgForm = nullptr;
    TfrmSelStyle4* frmSelStyle4 = nullptr;
    TfrmSelStyle3* frmSelStyle3 = nullptr;
    TfrmSelStyle4View* frmSelStyle4View = nullptr;
    TfrmSelStyle3View* frmSelStyle3View = nullptr;
    TCaseStudyForm* CaseStudyForm = nullptr;
    TfrmSelStyle5* frmSelStyle5 = nullptr;
    TfrmSelStyle5View* frmSelStyle5View = nullptr;
    TfrmSelStyle6View* frmSelStyle6View = nullptr;
    TfrmSelStyle6* frmSelStyle6 = nullptr;
    TAdaptiveForm* AdaptiveForm = nullptr;
    TfrmSelStyle7* frmSelStyle7 = nullptr;
    TfrmSelStyle7View* frmSelStyle7View = nullptr;
    TSyncForm* SyncForm = nullptr;
    TSyncCandidateForm* SyncCandidateForm = nullptr;
    TForm1* Form1 = nullptr;

    // All screens in creation order.
    QList<ui::Screen*> all() const;
};

// The program's catalogue (empty until createScreens()).
ScreenCatalogue& screens();
// The program's sitting, there before the screens are created and gone after destroyScreens().
ExamSession& examSession();
// The chosen vendor and test: there before the screens, written by the course menu and read by
// the screens after it.
Selection& selection();

// Creates a fresh sitting and the 27 screens in catalogue order and sets the button hints of the
// string table.
void createScreens();
void destroyScreens();

// Once the opening screen has been painted, draws the pictures of the other screens
// (ui::Screen::prepare), one screen per pass of the event loop and the course menu first, so that
// start-up draws only the opening screen and the screens after it still open at once.
void prepareScreensWhenIdle();

// Closing the opening screen ends the program; screens that end the program call this.
void endProgram();
// Tests observe the end of the program instead of quitting the test runner.
void setProgramEndHandler(std::function<void()> handler);
