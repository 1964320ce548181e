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
QList<QPointer<ui::Screen>> g_made; // in the order they were made

// Calls f with every slot of the catalogue, in catalogue order.
template <class F> void forEachSlot(ScreenCatalogue& s, F f)
{
    f(s.MainMenuForm), f(s.CourseMenuForm), f(s.ExamModeForm), f(s.GenericMBForm), f(s.ResultForm);
    f(s.StudyForm), f(s.CatSelForm), f(s.CheatForm), f(s.ConfirmForm), f(s.UpdateForm), f(s.DownLoad);
    f(s.RefImgForm), f(s.frmSelStyle4), f(s.frmSelStyle3), f(s.frmSelStyle4View), f(s.frmSelStyle3View);
    f(s.CaseStudyForm), f(s.frmSelStyle5), f(s.frmSelStyle5View), f(s.frmSelStyle6View), f(s.frmSelStyle6);
    f(s.AdaptiveForm), f(s.frmSelStyle7), f(s.frmSelStyle7View), f(s.SyncForm), f(s.SyncCandidateForm);
    f(s.Form1);
}

void applyHints(ui::Screen* screen)
{
    for (const StringTableHint& hint : buttonHints()) {
        if (screen->objectName() != QLatin1String(hint.screen))
            continue;
        if (auto* button = screen->findChild<ui::PictureButton*>(QLatin1String(hint.control)))
            button->setHint(stringTableText(hint.id));
    }
}

// Readies `slot` to make its screen with `make` on first use. The screens past the course menu
// read the vendor and test it chooses, so it is made before any of them.
template <class T, class Make> void ready(ScreenSlot<T>& slot, Make make, bool afterCourseMenu = true)
{
    slot.m_make = [make, afterCourseMenu, making = false]() mutable -> T* {
        if (afterCourseMenu)
            g_screens.CourseMenuForm.get();
        // A screen whose construction reaches for itself would recurse without end.
        if (making)
            qFatal("a screen reached for itself while being made");
        making = true;
        T* screen = make();
        making = false;
        g_made.append(screen);
        applyHints(screen);
        return screen;
    };
}

// Waits for the first paint of the screen it belongs to, then makes and prepares the others one
// step per pass on a zero timer, which fires only when the event loop has nothing else to do. It
// dies with that screen, so a catalogue destroyed meanwhile stops it.
class IdlePreparer : public QObject
{
  public:
    explicit IdlePreparer(ui::Screen* first) : QObject(first)
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] { stepNext(); });
        first->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_timer.isActive() && m_pending.isEmpty()) {
            watched->removeEventFilter(this);
            forEachSlot(g_screens, [this](auto& slot) {
                m_pending.append(
                    [&slot](bool make) -> ui::Screen* { return make || slot.isMade() ? slot.get() : nullptr; });
            });
            // Started from the queue, behind what the paint itself queued (the flush to the screen).
            QMetaObject::invokeMethod(&m_timer, qOverload<>(&QTimer::start), Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // One step: makes the next screen not made yet, or draws the next one not drawn yet.
    void stepNext()
    {
        while (!m_pending.isEmpty()) {
            const auto& reach = m_pending.first();
            if (!reach(false)) {
                reach(true);
                break;
            }
            ui::Screen* screen = reach(false);
            m_pending.removeFirst();
            if (!screen->isPrepared()) {
                screen->prepare();
                break;
            }
        }
        if (m_pending.isEmpty())
            m_timer.stop();
    }

    QTimer m_timer;
    QList<std::function<ui::Screen*(bool make)>> m_pending;
};
} // namespace

QList<ui::Screen*> ScreenCatalogue::all()
{
    QList<ui::Screen*> list;
    forEachSlot(*this, [&list](auto& slot) {
        if (ui::Screen* screen = slot.get())
            list.append(screen);
    });
    return list;
}

QList<ui::Screen*> ScreenCatalogue::made() const
{
    QList<ui::Screen*> list;
    for (const QPointer<ui::Screen>& screen : g_made)
        if (screen)
            list.append(screen);
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
    ExamSession* session = &examSession();
    StyleHandOver* handOver = &session->styleHandOver;
    ScreenCatalogue& s = g_screens;
    ready(
        s.MainMenuForm, [] { return new TMainMenuForm; }, false);
    ready(
        s.CourseMenuForm, [] { return new TCourseMenuForm(selection()); }, false);
    ready(s.ExamModeForm, [session] { return new TExamModeForm(*session); });
    ready(s.GenericMBForm, [session] { return new TGenericMBForm(*session); });
    ready(s.ResultForm, [session] { return new TResultForm(*session); });
    ready(s.StudyForm, [] { return new TStudyForm; });
    ready(s.CatSelForm, [session] { return new TCatSelForm(*session); });
    ready(s.CheatForm, [session] { return new TCheatForm(*session); });
    ready(s.ConfirmForm, [session] { return new TConfirmForm(*session); });
    ready(s.UpdateForm, [] { return new TUpdateForm; });
    ready(s.DownLoad, [] { return new TDownLoad; });
    ready(s.RefImgForm, [] { return new TRefImgForm; });
    ready(s.frmSelStyle4, [handOver] { return new TfrmSelStyle4(*handOver); });
    ready(s.frmSelStyle3, [handOver] { return new TfrmSelStyle3(*handOver); });
    ready(s.frmSelStyle4View, [handOver] { return new TfrmSelStyle4View(*handOver); });
    ready(s.frmSelStyle3View, [handOver] { return new TfrmSelStyle3View(*handOver); });
    ready(s.CaseStudyForm, [session] { return new TCaseStudyForm(*session); });
    ready(s.frmSelStyle5, [handOver] { return new TfrmSelStyle5(*handOver); });
    ready(s.frmSelStyle5View, [handOver] { return new TfrmSelStyle5View(*handOver); });
    ready(s.frmSelStyle6View, [handOver] { return new TfrmSelStyle6View(*handOver); });
    ready(s.frmSelStyle6, [handOver] { return new TfrmSelStyle6(*handOver); });
    ready(s.AdaptiveForm, [] { return new TAdaptiveForm; });
    ready(s.frmSelStyle7, [handOver] { return new TfrmSelStyle7(*handOver); });
    ready(s.frmSelStyle7View, [handOver] { return new TfrmSelStyle7View(*handOver); });
    ready(s.SyncForm, [] { return new TSyncForm; });
    ready(s.SyncCandidateForm, [] { return new TSyncCandidateForm; });
    ready(s.Form1, [] { return new TForm1; });
    s.MainMenuForm.get();
}

void destroyScreens()
{
    // Last made, first gone: a screen may hold on to one made before it.
    while (!g_made.isEmpty())
        delete g_made.takeLast();
    g_screens = ScreenCatalogue{};
    g_session.reset();
    g_selection.reset();
}

void prepareScreensWhenIdle()
{
    if (g_screens.MainMenuForm.isMade())
        new IdlePreparer(g_screens.MainMenuForm);
}

void endProgram()
{
    for (ui::Screen* screen : g_screens.made())
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
