#pragma once
// The 27 screens of the program. Each is made the first time something reaches for it (start-up
// makes only the opening screen; the rest follow while the program is idle) and kept for the run.
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

// One screen of the catalogue: reads like a pointer to it and makes it on first use.
template <class T> class ScreenSlot
{
  public:
    T* get()
    {
        if (!m_screen && m_make)
            m_screen = m_make();
        return m_screen;
    }
    T* operator->() { return get(); }
    operator T*() { return get(); }
    // Whether it exists already, without making it.
    bool isMade() const { return m_screen != nullptr; }

    // Set by createScreens(); empty before it and after destroyScreens().
    std::function<T*()> m_make;

  private:
    T* m_screen = nullptr;
};

struct ScreenCatalogue {
    ScreenSlot<TMainMenuForm> MainMenuForm;
    ScreenSlot<TCourseMenuForm> CourseMenuForm;
    ScreenSlot<TExamModeForm> ExamModeForm;
    ScreenSlot<TGenericMBForm> GenericMBForm;
    ScreenSlot<TResultForm> ResultForm;
    ScreenSlot<TStudyForm> StudyForm;
    ScreenSlot<TCatSelForm> CatSelForm;
    ScreenSlot<TCheatForm> CheatForm;
    ScreenSlot<TConfirmForm> ConfirmForm;
    ScreenSlot<TUpdateForm> UpdateForm;
    ScreenSlot<TDownLoad> DownLoad;
    ScreenSlot<TRefImgForm> RefImgForm;
    ScreenSlot<TfrmSelStyle4> frmSelStyle4;
    ScreenSlot<TfrmSelStyle3> frmSelStyle3;
    ScreenSlot<TfrmSelStyle4View> frmSelStyle4View;
    ScreenSlot<TfrmSelStyle3View> frmSelStyle3View;
    ScreenSlot<TCaseStudyForm> CaseStudyForm;
    ScreenSlot<TfrmSelStyle5> frmSelStyle5;
    ScreenSlot<TfrmSelStyle5View> frmSelStyle5View;
    ScreenSlot<TfrmSelStyle6View> frmSelStyle6View;
    ScreenSlot<TfrmSelStyle6> frmSelStyle6;
    ScreenSlot<TAdaptiveForm> AdaptiveForm;
    ScreenSlot<TfrmSelStyle7> frmSelStyle7;
    ScreenSlot<TfrmSelStyle7View> frmSelStyle7View;
    ScreenSlot<TSyncForm> SyncForm;
    ScreenSlot<TSyncCandidateForm> SyncCandidateForm;
    ScreenSlot<TForm1> Form1;

    // Every screen in catalogue order, making those not made yet.
    QList<ui::Screen*> all();
    // The screens made so far, in the order they were made.
    QList<ui::Screen*> made() const;
};

// The program's catalogue (empty until createScreens()).
ScreenCatalogue& screens();
// The program's sitting, there before the screens are created and gone after destroyScreens().
ExamSession& examSession();
// The chosen vendor and test: there before the screens, written by the course menu and read by
// the screens after it.
Selection& selection();

// Creates a fresh sitting and the opening screen, and readies the other 26 to be made on first
// use; each gets the button hints of the string table as it is made.
void createScreens();
void destroyScreens();

// Once the opening screen has been painted, makes the other screens and draws their pictures
// (ui::Screen::prepare), one screen per pass of the event loop and the course menu first, so that
// start-up builds only the opening screen and the screens after it still open at once.
void prepareScreensWhenIdle();

// Closing the opening screen ends the program; screens that end the program call this.
void endProgram();
// Tests observe the end of the program instead of quitting the test runner.
void setProgramEndHandler(std::function<void()> handler);
