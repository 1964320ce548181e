#pragma once
// Shared pieces of the tests: the headless main, a temporary installation tree.
#include "bank/QuestionBank.h"
#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace testsupport
{

// Headless, silent, message boxes answered by the test, settings in a private directory.
void prepareEnvironment();

// A temporary installation: <root>/BIN/ as program directory, <root>/QDAT/, <root>/HIST/.
class TempInstall
{
  public:
    TempInstall();
    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString programDir() const { return root() + QStringLiteral("BIN/"); }
    QString questionDir(const QString& vendor) const
    {
        return root() + QStringLiteral("QDAT/") + vendor + QLatin1Char('/');
    }
    QString historyDir(const QString& vendor) const
    {
        return root() + QStringLiteral("HIST/") + vendor + QLatin1Char('/');
    }
    // Writes bytes to a path relative to the root, creating directories.
    QString writeFile(const QString& relativePath, const std::string& bytes) const;
    QString writeFile(const QString& relativePath, const QByteArray& bytes) const;

  private:
    QTemporaryDir m_dir;
};

// A bank of one category ("Basics", one sub-category "All") holding `questions` single-choice
// questions; the first of `choices` is the correct one.
std::unique_ptr<QuestionBank> oneCategoryBank(int questions, int mockMinutes, std::vector<std::string> choices);

// Reads a whole file as bytes ("" when missing).
std::string readBytes(const QString& path);

// Makes `window` the active window, as a click into it would, so that its keys and shortcuts work.
void activate(QWidget* window);
// Where a key typed into `window` goes: its focus widget, else the window itself.
QWidget* keyTarget(QWidget* window);
// Types keys into `window` (Qt::Key_Down, Qt::CTRL | Qt::Key_Tab, ...), each to wherever the
// focus is at that moment.
void typeKeys(QWidget* window, const QList<QKeyCombination>& keys);
// A quick double click at `at`, as the toolkit delivers it: press, release, double-click, release.
void doubleClick(QWidget* target, QPoint at, Qt::MouseButton button = Qt::LeftButton);

// quarvel-tool (the path CTest puts in QUARVEL_TOOL) run with `args`, `input` on its stdin.
struct ToolRun {
    int exitCode = -1; // -1: did not finish or crashed
    QByteArray out;
    QByteArray err;
};
ToolRun runTool(const QStringList& args, const QByteArray& input = {});

} // namespace testsupport

// Like QTEST_MAIN, with the environment of every Quarvel test.
#define QUARVEL_TEST_MAIN(TestObject)                                                                                  \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        testsupport::prepareEnvironment();                                                                             \
        QApplication app(argc, argv);                                                                                  \
        testsupport::prepareEnvironment();                                                                             \
        TestObject tc;                                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
