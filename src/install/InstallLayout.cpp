#include "install/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace layout
{
namespace
{
QString g_programDir;
QString g_sharedProgramDir;

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

QString programDir()
{
    if (g_programDir.isEmpty())
        g_programDir = withSlash(QCoreApplication::applicationDirPath());
    return g_programDir;
}

void setProgramDir(const QString& directory)
{
    g_programDir = withSlash(QDir(directory).absolutePath());
    g_sharedProgramDir.clear();
}

QString sharedProgramDir()
{
    return g_sharedProgramDir.isEmpty() ? programDir() : g_sharedProgramDir;
}

void setSharedProgramDir(const QString& directory)
{
    g_sharedProgramDir = withSlash(QDir(directory).absolutePath());
}

void enterProgramDir()
{
    QDir::setCurrent(programDir());
}

QString DataRoot()
{
    const QString dir = programDir();
    return dir.left(std::max<qsizetype>(0, dir.size() - 4));
}

QString questionRoot()
{
    const QString fromRoot = DataRoot() + QStringLiteral("QDAT/");
    if (QFileInfo(fromRoot).isDir())
        return fromRoot;
    return programDir() + QStringLiteral("QDAT/");
}

QString QuestionDir(const QString& vendor)
{
    const QString fromRoot = DataRoot() + QStringLiteral("QDAT/") + vendor + QLatin1Char('/');
    if (QFileInfo(fromRoot).isDir())
        return fromRoot;
    return programDir() + QStringLiteral("QDAT/") + vendor + QLatin1Char('/');
}

QString HistoryDir(const QString& questionFile, const QString& vendor)
{
    const qsizetype at = questionFile.indexOf(QStringLiteral("QDAT"));
    const QString base = at < 0 ? QFileInfo(questionFile).absolutePath() + QLatin1Char('/') : questionFile.left(at);
    return base + QStringLiteral("HIST/") + vendor + QLatin1Char('/');
}

static QString historyStem(const QString& questionFile, const QString& vendor)
{
    return HistoryDir(questionFile, vendor) + QFileInfo(questionFile).completeBaseName();
}

QString historyPath(const QString& questionFile, const QString& vendor)
{
    return historyStem(questionFile, vendor) + QStringLiteral(".HIS");
}

QString adaptivePath(const QString& questionFile, const QString& vendor)
{
    return historyStem(questionFile, vendor) + QStringLiteral(".ADP");
}

} // namespace layout
