// Every screen of the program, shown as an attempt leaves it, walked with Tab: each control that
// can hold the focus has a name a screen reader can say, and Tab reaches every button that can be
// pressed.
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "ui/Screen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>

#include <memory>

namespace
{

QString describe(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    return name + QLatin1Char(':') + QLatin1String(w->metaObject()->className());
}

bool isButton(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const ui::PictureButton*>(w);
}

// Where the user could press it: shown, enabled and on the window.
bool pressable(const QWidget* w, const QWidget* window)
{
    if (!w->isVisibleTo(window) || !w->isEnabled())
        return false;
    const QRect onWindow(w->mapTo(window, QPoint(0, 0)), w->size());
    return onWindow.intersects(window->rect());
}

// Tab enters a group of exclusive radio buttons at one of them; the arrows move within.
bool groupReached(const QWidget* w, const QSet<QWidget*>& reached)
{
    const auto* radio = qobject_cast<const QRadioButton*>(w);
    if (!radio || !radio->autoExclusive())
        return false;
    for (QWidget* other : reached)
        if (qobject_cast<QRadioButton*>(other) && other->parentWidget() == w->parentWidget())
            return true;
    return false;
}

struct Findings {
    QStringList unnamed;
    QStringList unreached;
    QStringList trapped;
    QStringList unseen; // Tab stops nobody could see holding the focus
    bool empty() const { return unnamed.isEmpty() && unreached.isEmpty() && trapped.isEmpty() && unseen.isEmpty(); }
    QString text() const
    {
        return QStringLiteral("unnamed [%1] unreached [%2] Tab kept by [%3] unseen stops [%4]")
            .arg(unnamed.join(u' '), unreached.join(u' '), trapped.join(u' '), unseen.join(u' '));
    }
};

Findings walk(ui::Screen* screen)
{
    Findings found;
    const QList<QWidget*> widgets = screen->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        // A widget whose focus goes to another (a spin box's text) is named by that one.
        if (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || !pressable(w, screen))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            found.unnamed << describe(w);
    }

    screen->activateWindow();
    QApplication::setActiveWindow(screen);
    if (!screen->focusWidget())
        screen->setFocus();
    QSet<QWidget*> reached;
    for (qsizetype i = 0; i < widgets.size() + 2; ++i) {
        QWidget* before = QApplication::focusWidget();
        if (!before || before->window() != screen)
            break;
        reached.insert(before);
        if (!pressable(before, screen) && before != screen)
            found.unseen << describe(before);
        QTest::keyClick(before, Qt::Key_Tab);
        if (QApplication::focusWidget() == before && !isButton(before) && before != screen) {
            found.trapped << describe(before);
            break;
        }
    }
    for (QWidget* w : widgets)
        if (isButton(w) && pressable(w, screen) && !reached.contains(w) && !groupReached(w, reached))
            found.unreached << describe(w);
    // The window itself shows no focus: among other stops, it would be one nobody sees.
    if (reached.contains(screen) && reached.size() > 1)
        found.unseen << describe(screen);
    return found;
}

} // namespace

class TestFocusChain : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;

  private Q_SLOTS:
    // One attempt up to the exam screen, so that the screens behind it have a test, a session and
    // answers to show.
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        auto bank = testsupport::oneCategoryBank(3, 10, {"right", "wrong", "other"});
        QuestionHeader header;
        header.formatTag = kFormatTag;
        header.mockCount = 3;
        header.targetRate = "70";
        header.code = "FC-1";
        header.title = cp932::fromUtf8("フォーカステスト");
        header.updated = "20261201090000";
        header.questionCount = 3;
        m_install->writeFile(QStringLiteral("QDAT/oracle/fc.qdf"), QuestionFileBytes(header, *bank));
        createScreens();
        setProgramEndHandler([] {});
        ScreenCatalogue& s = screens();
        s.CourseMenuForm->show();
        s.CourseMenuForm->RDBClick(1);
        s.CourseMenuForm->Button2Click();
        QVERIFY(s.CatSelForm->isVisible());
        s.CatSelForm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("3"));
        s.CatSelForm->Button1Click();
        QVERIFY(s.GenericMBForm->isVisible());
        for (int tick = 0; tick < 21; ++tick)
            s.GenericMBForm->Timer1Timer();
        QVERIFY(s.ExamModeForm->isVisible());
        s.ExamModeForm->hide();
    }

    void cleanupTestCase()
    {
        destroyScreens();
        setProgramEndHandler({});
    }

    void everyScreen_data()
    {
        QTest::addColumn<QString>("screen");
        const QList<ui::Screen*> all = screens().all();
        QCOMPARE(all.size(), 27);
        for (const ui::Screen* screen : all)
            QTest::newRow(qPrintable(screen->objectName())) << screen->objectName();
    }

    void everyScreen()
    {
        QFETCH(QString, screen);
        ui::Screen* shown = nullptr;
        for (ui::Screen* s : screens().all()) {
            if (s->objectName() == screen)
                shown = s;
            else
                s->hide();
        }
        QVERIFY(shown);
        shown->show();
        const Findings found = walk(shown);
        shown->hide();
        QVERIFY2(found.empty(), qPrintable(found.text()));
    }
};

QUARVEL_TEST_MAIN(TestFocusChain)
#include "TestFocusChain.moc"
