#include "shell/screens/ScreenCatalogue.h"

#include "install/Selection.h"
#include "session/ExamSession.h"
#include "shell/StringTable.h"
#include "ui/PictureButton.h"

#include "online/screens/TDownLoad.h"
#include "online/screens/TSyncCandidateForm.h"
#include "online/screens/TSyncForm.h"
#include "online/screens/TUpdateForm.h"
#include "results/screens/TAdaptiveForm.h"
#include "results/screens/TResultForm.h"
#include "results/screens/TStudyForm.h"
#include "session/screens/TCaseStudyForm.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TForm1.h"
#include "shell/screens/TGenericMBForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "styles/screens/TfrmSelStyle3.h"
#include "styles/screens/TfrmSelStyle3View.h"
#include "styles/screens/TfrmSelStyle4.h"
#include "styles/screens/TfrmSelStyle4View.h"
#include "styles/screens/TfrmSelStyle5.h"
#include "styles/screens/TfrmSelStyle5View.h"
#include "styles/screens/TfrmSelStyle6.h"
#include "styles/screens/TfrmSelStyle6View.h"
#include "styles/screens/TfrmSelStyle7.h"
#include "styles/screens/TfrmSelStyle7View.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace
{
ScreenCatalogue g_screens;
std::unique_ptr<ExamSession> g_session;
std::unique_ptr<Selection> g_selection;
std::function<void()> g_programEnd;

void applyHints()
{
    for (const StringTableHint& hint : buttonHints()) {
        for (ui::Screen* screen : g_screens.all()) {
            if (screen->objectName() != QLatin1String(hint.screen))
                continue;
            if (auto* button = screen->findChild<ui::PictureButton*>(QLatin1String(hint.control)))
                button->setHint(stringTableText(hint.id));
        }
    }
}
// Waits for the first paint of the screen it belongs to, then prepares the others one by one on
// a zero timer, which fires only when the event loop has nothing else to do. It dies with that
// screen, so a catalogue destroyed meanwhile stops it.
class IdlePreparer : public QObject
{
  public:
    explicit IdlePreparer(ui::Screen* first) : QObject(first)
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] { prepareNext(); });
        first->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_timer.isActive() && m_pending.isEmpty()) {
            watched->removeEventFilter(this);
            for (ui::Screen* screen : g_screens.all())
                m_pending.append(screen);
            // Started from the queue, behind what the paint itself queued (the flush to the screen).
            QMetaObject::invokeMethod(&m_timer, qOverload<>(&QTimer::start), Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void prepareNext()
    {
        while (!m_pending.isEmpty()) {
            const QPointer<ui::Screen> screen = m_pending.takeFirst();
            if (screen && !screen->isPrepared()) {
                screen->prepare();
                break;
            }
        }
        if (m_pending.isEmpty())
            m_timer.stop();
    }

    QTimer m_timer;
    QList<QPointer<ui::Screen>> m_pending;
};
} // namespace

QList<ui::Screen*> ScreenCatalogue::all() const
{
    const ScreenCatalogue& s = *this;
    QList<ui::Screen*> list{
        s.MainMenuForm,      s.CourseMenuForm, s.ExamModeForm, s.GenericMBForm,    s.ResultForm,
        s.StudyForm,         s.CatSelForm,     s.CheatForm,    s.ConfirmForm,      s.UpdateForm,
        s.DownLoad,          s.RefImgForm,     s.frmSelStyle4, s.frmSelStyle3,     s.frmSelStyle4View,
        s.frmSelStyle3View,  s.CaseStudyForm,  s.frmSelStyle5, s.frmSelStyle5View, s.frmSelStyle6View,
        s.frmSelStyle6,      s.AdaptiveForm,   s.frmSelStyle7, s.frmSelStyle7View, s.SyncForm,
        s.SyncCandidateForm, s.Form1};
    list.removeAll(nullptr);
    return list;
}

ScreenCatalogue& screens()
{
    return g_screens;
}

ExamSession& examSession()
{
    if (!g_session)
        g_session = std::make_unique<ExamSession>();
    return *g_session;
}

Selection& selection()
{
    if (!g_selection)
        g_selection = std::make_unique<Selection>();
    return *g_selection;
}

void createScreens()
{
    // Every screen that takes part in a sitting holds on to it: it is there first, and outlives
    // them until destroyScreens().
    ExamSession& session = examSession();
    StyleHandOver& handOver = session.styleHandOver;
    ScreenCatalogue& s = g_screens;
    s.MainMenuForm = new TMainMenuForm;
    s.CourseMenuForm = new TCourseMenuForm(selection());
    s.ExamModeForm = new TExamModeForm(session);
    s.GenericMBForm = new TGenericMBForm(session);
    s.ResultForm = new TResultForm(session);
    s.StudyForm = new TStudyForm;
    s.CatSelForm = new TCatSelForm(session);
    s.CheatForm = new TCheatForm(session);
    s.ConfirmForm = new TConfirmForm(session);
    s.UpdateForm = new TUpdateForm;
    s.DownLoad = new TDownLoad;
    s.RefImgForm = new TRefImgForm;
    s.frmSelStyle4 = new TfrmSelStyle4(handOver);
    s.frmSelStyle3 = new TfrmSelStyle3(handOver);
    s.frmSelStyle4View = new TfrmSelStyle4View(handOver);
    s.frmSelStyle3View = new TfrmSelStyle3View(handOver);
    s.CaseStudyForm = new TCaseStudyForm(session);
    s.frmSelStyle5 = new TfrmSelStyle5(handOver);
    s.frmSelStyle5View = new TfrmSelStyle5View(handOver);
    s.frmSelStyle6View = new TfrmSelStyle6View(handOver);
    s.frmSelStyle6 = new TfrmSelStyle6(handOver);
    s.AdaptiveForm = new TAdaptiveForm;
    s.frmSelStyle7 = new TfrmSelStyle7(handOver);
    s.frmSelStyle7View = new TfrmSelStyle7View(handOver);
    s.SyncForm = new TSyncForm;
    s.SyncCandidateForm = new TSyncCandidateForm;
    s.Form1 = new TForm1;
    applyHints();
}

void destroyScreens()
{
    ScreenCatalogue& s = g_screens;
    delete s.Form1;
    delete s.SyncCandidateForm;
    delete s.SyncForm;
    delete s.frmSelStyle7View;
    delete s.frmSelStyle7;
    delete s.AdaptiveForm;
    delete s.frmSelStyle6;
    delete s.frmSelStyle6View;
    delete s.frmSelStyle5View;
    delete s.frmSelStyle5;
    delete s.CaseStudyForm;
    delete s.frmSelStyle3View;
    delete s.frmSelStyle4View;
    delete s.frmSelStyle3;
    delete s.frmSelStyle4;
    delete s.RefImgForm;
    delete s.DownLoad;
    delete s.UpdateForm;
    delete s.ConfirmForm;
    delete s.CheatForm;
    delete s.CatSelForm;
    delete s.StudyForm;
    delete s.ResultForm;
    delete s.GenericMBForm;
    delete s.ExamModeForm;
    delete s.CourseMenuForm;
    delete s.MainMenuForm;
    s = ScreenCatalogue{};
    g_session.reset();
    g_selection.reset();
}

void prepareScreensWhenIdle()
{
    if (g_screens.MainMenuForm)
        new IdlePreparer(g_screens.MainMenuForm);
}

void endProgram()
{
    for (ui::Screen* screen : g_screens.all())
        screen->hide();
    if (g_programEnd) {
        g_programEnd();
        return;
    }
    QApplication::quit();
}

void setProgramEndHandler(std::function<void()> handler)
{
    g_programEnd = std::move(handler);
}
