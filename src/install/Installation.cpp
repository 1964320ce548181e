#include "install/Installation.h"

#include "install/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace layout
{
namespace
{

QString withSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString questionDirOf(const QString& programDir)
{
    const QString beside = programDir.left(std::max<qsizetype>(0, programDir.size() - 4)) + QStringLiteral("QDAT/");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString below = programDir + QStringLiteral("QDAT/");
    return QFileInfo(below).isDir() ? below : QString();
}

// What the user's tree never mirrors from a shared program directory: the data beside it and the
// reference documents, which are opened where they lie.
bool mirrored(const QString& name)
{
    return name != QLatin1String("QDAT") && name != QLatin1String("HIST") && name != QLatin1String("Ref");
}

QString cannotWrite(const QString& dir, const QString& why)
{
    return QStringLiteral("Quarvelのデータを保存するディレクトリに書き込めません。\n%1\n%2")
        .arg(QDir::toNativeSeparators(dir), why);
}

// Links every file under `from` into `to` that `to` has nothing of the same name for, and removes
// links in `to` that lead into `from` to a file no longer there.
std::optional<QString> mirror(const QString& from, const QString& to, bool top)
{
    if (!QDir().mkpath(to))
        return cannotWrite(to, QStringLiteral("ディレクトリを作成できません。"));
    const QDir source(from);
    for (const QFileInfo& entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString name = entry.fileName();
        if (top && !mirrored(name))
            continue;
        const QString target = to + name;
        const QFileInfo existing(target);
        if (entry.isDir()) {
            if (existing.isSymLink() || (existing.exists() && !existing.isDir()))
                continue; // the user's own, whatever it is
            if (auto problem = mirror(withSlash(entry.filePath()), withSlash(target), false))
                return problem;
        } else if (!existing.exists() && !existing.isSymLink()) {
            if (!QFile::link(entry.absoluteFilePath(), target))
                return cannotWrite(to, QStringLiteral("リンクを作成できません。"));
        }
    }
    const QString sharedRoot = withSlash(source.absolutePath());
    for (const QFileInfo& entry : QDir(to).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        if (entry.isSymLink() && !entry.exists() && entry.symLinkTarget().startsWith(sharedRoot))
            QFile::remove(entry.filePath());
    }
    return std::nullopt;
}

// A full disk or a read-only directory shows only when something is written.
std::optional<QString> probeWriting(const QString& dir)
{
    QFile probe(dir + QStringLiteral(".quarvel-write-test"));
    const bool written = probe.open(QIODevice::WriteOnly) && probe.write("quarvel\n", 8) == 8 && probe.flush();
    const QString why = probe.errorString();
    probe.close();
    probe.remove();
    if (!written)
        return cannotWrite(dir, why);
    return std::nullopt;
}

} // namespace

Installation chooseInstallation(const QString& executableDir, const QString& userDataHome, bool executableDirWritable)
{
    Installation chosen;
    const QString programDir = withSlash(QDir(executableDir).absolutePath());
    const QString stagedQuestions = questionDirOf(programDir);
    if (!stagedQuestions.isEmpty() && executableDirWritable) {
        chosen.programDir = programDir;
        return chosen;
    }
    chosen.staged = false;
    if (!stagedQuestions.isEmpty()) {
        // A staged tree on a read-only medium: it is the shared installation.
        chosen.sharedProgramDir = programDir;
        chosen.sharedQuestionDir = stagedQuestions;
    } else {
        chosen.sharedProgramDir = withSlash(QDir::cleanPath(programDir + QStringLiteral("../share/quarvel")));
        chosen.sharedQuestionDir = chosen.sharedProgramDir + QStringLiteral("QDAT/");
    }
    chosen.programDir = withSlash(QDir::cleanPath(userDataHome)) + QStringLiteral("quarvel/BIN/");
    return chosen;
}

std::optional<QString> prepareUserTree(const Installation& installation)
{
    if (installation.staged)
        return std::nullopt;
    const QString root = installation.programDir.left(installation.programDir.size() - 4);
    if (!QDir().mkpath(root))
        return cannotWrite(root, QStringLiteral("ディレクトリを作成できません。"));
    if (auto problem = probeWriting(root))
        return problem;
    if (auto problem = mirror(installation.sharedProgramDir, installation.programDir, true))
        return problem;
    if (QFileInfo(installation.sharedQuestionDir).isDir()) {
        if (auto problem = mirror(installation.sharedQuestionDir, root + QStringLiteral("QDAT/"), false))
            return problem;
    } else if (!QDir().mkpath(root + QStringLiteral("QDAT/"))) {
        return cannotWrite(root, QStringLiteral("ディレクトリを作成できません。"));
    }
    if (!QDir().mkpath(root + QStringLiteral("HIST/")))
        return cannotWrite(root, QStringLiteral("ディレクトリを作成できません。"));
    return std::nullopt;
}

std::optional<QString> enterInstallation()
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const Installation installation =
        chooseInstallation(executableDir, dataHome, QFileInfo(executableDir).isWritable());
    if (!installation.staged && dataHome.isEmpty())
        return cannotWrite(QStringLiteral("~/.local/share"), QStringLiteral("ホームディレクトリがありません。"));
    if (auto problem = prepareUserTree(installation))
        return problem;
    setProgramDir(installation.programDir);
    setSharedProgramDir(installation.staged ? installation.programDir : installation.sharedProgramDir);
    enterProgramDir();
    return std::nullopt;
}

} // namespace layout
