#include "support/TestSupport.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>

#include <QStandardPaths>
#include <algorithm>

namespace testsupport
{

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUARVEL_TESTING", "1");
    qputenv("QUARVEL_SILENT", "1");
    if (QCoreApplication::instance()) {
        static QTemporaryDir settingsDir;
        settings::redirectForTests(settingsDir.path());
        ui::testing::answerBoxesAutomatically(true);
        QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    }
}

TempInstall::TempInstall()
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("BIN"));
    root.mkpath(QStringLiteral("QDAT"));
    root.mkpath(QStringLiteral("HIST"));
    layout::setProgramDir(programDir());
}

QString TempInstall::writeFile(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = root() + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

QString TempInstall::writeFile(const QString& relativePath, const std::string& bytes) const
{
    return writeFile(relativePath, QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::unique_ptr<QuestionBank> oneCategoryBank(int questions, int mockMinutes, std::vector<std::string> choices)
{
    auto bank = std::make_unique<QuestionBank>();
    bank->mockMinutes = mockMinutes;
    bank->categoryCount = 1;
    bank->category(1).name = "Basics";
    bank->category(1).questionCount = questions;
    bank->category(1).sub(1) = {"All", questions};
    const int stored = int(std::min<size_t>(choices.size(), kMaxChoices));
    for (int j = 1; j <= questions; ++j) {
        QuestionRecord& r = bank->question(j);
        r.number = j;
        r.category = 1;
        r.subCategory = 1;
        r.text = "Question " + std::to_string(j);
        r.storedChoiceCount = stored;
        r.shownChoiceCount = stored;
        r.correctCount = 1;
        r.style = kStyleSingle;
        for (int i = 0; i < stored; ++i)
            r.choices[size_t(i)] = choices[size_t(i)];
    }
    bank->recordsRead = questions;
    bank->questionCount = questions;
    return bank;
}

std::string readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

ToolRun runTool(const QStringList& args, const QByteArray& input)
{
    QProcess process;
    process.start(qEnvironmentVariable("QUARVEL_TOOL"), args);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void activate(QWidget* window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

QWidget* keyTarget(QWidget* window)
{
    QWidget* focus = window->focusWidget();
    return focus && focus->isVisible() ? focus : window;
}

void typeKeys(QWidget* window, const QList<QKeyCombination>& keys)
{
    for (const QKeyCombination key : keys)
        QTest::keyClick(keyTarget(window), key.key(), key.keyboardModifiers());
}

void doubleClick(QWidget* target, QPoint at, Qt::MouseButton button)
{
    const QPointF global = target->mapToGlobal(QPointF(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

} // namespace testsupport
