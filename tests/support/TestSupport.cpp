#include "support/TestSupport.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace testsupport {

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

std::string readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

} // namespace testsupport
