// Staged and installed layouts: which one a program is in, and the user's tree of an installed copy.
#include "install/Installation.h"
#include "online/FileReplace.h"
#include "support/TestSupport.h"

#include <QFileInfo>

namespace
{

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool succeeded(const std::optional<QString>& problem)
{
    if (problem)
        qWarning("%s", qPrintable(*problem));
    return !problem;
}

} // namespace

class TestInstallation : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path() + QLatin1Char('/'); }

  private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively());
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    void layoutFollowsTheProgramsDirectory_data()
    {
        QTest::addColumn<QString>("questions"); // a QDAT/ made relative to the root, "" for none
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("staged");
        QTest::addColumn<QString>("sharedProgram");
        QTest::addColumn<QString>("sharedQuestions");
        QTest::newRow("staged, QDAT beside") << "opt/q/QDAT" << true << true << ""
                                             << "";
        QTest::newRow("staged, QDAT below") << "opt/q/BIN/QDAT" << true << true << ""
                                            << "";
        QTest::newRow("staged tree read-only") << "opt/q/QDAT" << false << false << "opt/q/BIN/"
                                               << "opt/q/QDAT/";
        QTest::newRow("installed") << "usr/share/quarvel/QDAT" << true << false << "usr/share/quarvel/"
                                   << "usr/share/quarvel/QDAT/";
        QTest::newRow("no data anywhere") << "" << true << false << "usr/share/quarvel/"
                                          << "usr/share/quarvel/QDAT/";
    }
    void layoutFollowsTheProgramsDirectory()
    {
        QFETCH(QString, questions);
        QFETCH(bool, writable);
        QFETCH(bool, staged);
        QFETCH(QString, sharedProgram);
        QFETCH(QString, sharedQuestions);
        if (!questions.isEmpty())
            QVERIFY(QDir().mkpath(root() + questions));
        const QString exe = root() + (questions.startsWith(QLatin1String("opt")) ? "opt/q/BIN" : "usr/bin");
        QDir().mkpath(exe);

        const auto chosen = layout::chooseInstallation(exe, root() + QStringLiteral("home/.local/share"), writable);
        QCOMPARE(chosen.staged, staged);
        QCOMPARE(chosen.programDir,
                 staged ? exe + QLatin1Char('/') : root() + QStringLiteral("home/.local/share/quarvel/BIN/"));
        QCOMPARE(chosen.sharedProgramDir, sharedProgram.isEmpty() ? QString() : root() + sharedProgram);
        QCOMPARE(chosen.sharedQuestionDir, sharedQuestions.isEmpty() ? QString() : root() + sharedQuestions);
    }

    // The user's tree links the shared files, keeps the user's own, and follows the shared tree
    // as a package upgrade changes it.
    void userTreeMirrorsTheSharedOne()
    {
        const QString share = root() + QStringLiteral("usr/share/quarvel/");
        write(share + QStringLiteral("QuesProto"), "template");
        write(share + QStringLiteral("wav/start.wav"), "RIFF");
        write(share + QStringLiteral("Ref/guide.pdf"), "%PDF");
        write(share + QStringLiteral("QDAT/oracle/t1.qdf"), "installed");
        write(share + QStringLiteral("QDAT/oracle/img/a.gif"), "GIF");
        layout::Installation installed;
        installed.staged = false;
        installed.sharedProgramDir = share;
        installed.sharedQuestionDir = share + QStringLiteral("QDAT/");
        const QString user = root() + QStringLiteral("data/quarvel/");
        installed.programDir = user + QStringLiteral("BIN/");
        QVERIFY(succeeded(layout::prepareUserTree(installed)));

        QCOMPARE(read(user + QStringLiteral("BIN/QuesProto")), QByteArray("template"));
        QCOMPARE(read(user + QStringLiteral("BIN/wav/start.wav")), QByteArray("RIFF"));
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("BIN/Ref"))); // opened where it lies
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("BIN/QDAT")));
        QVERIFY(QFileInfo(user + QStringLiteral("HIST")).isDir());
        const QString mine = user + QStringLiteral("QDAT/oracle/t1.qdf");
        QCOMPARE(read(mine), QByteArray("installed"));
        QVERIFY(QFileInfo(user + QStringLiteral("QDAT/oracle/img")).isDir());
        QVERIFY(!QFileInfo(user + QStringLiteral("QDAT/oracle/img")).isSymLink());

        // An update replaces the link with the user's own copy; the shared file stays.
        write(user + QStringLiteral("QDAT/oracle/_t1.qdf"), "updated");
        QVERIFY(succeeded(online::replaceFile(user + QStringLiteral("QDAT/oracle/_t1.qdf"), mine)));
        QVERIFY(succeeded(layout::prepareUserTree(installed)));
        QCOMPARE(read(mine), QByteArray("updated"));
        QCOMPARE(read(share + QStringLiteral("QDAT/oracle/t1.qdf")), QByteArray("installed"));

        // Deleting the user's copy brings the installed one back at the next start.
        QVERIFY(QFile::remove(mine));
        write(user + QStringLiteral("HIST/oracle/t1.HIS"), "history");
        QFile::remove(share + QStringLiteral("wav/start.wav"));
        write(share + QStringLiteral("QDAT/cisco/c1.qdf"), "new in the package");
        QVERIFY(succeeded(layout::prepareUserTree(installed)));
        QCOMPARE(read(mine), QByteArray("installed"));
        QCOMPARE(read(user + QStringLiteral("QDAT/cisco/c1.qdf")), QByteArray("new in the package"));
        QVERIFY(!QFileInfo(user + QStringLiteral("BIN/wav/start.wav")).isSymLink()); // gone from the package
        QCOMPARE(read(user + QStringLiteral("HIST/oracle/t1.HIS")), QByteArray("history"));
    }

    void aTreeThatCannotBeWrittenIsNamed()
    {
        write(root() + QStringLiteral("data"), "a file where the data directory should be");
        layout::Installation installed;
        installed.staged = false;
        installed.sharedProgramDir = root() + QStringLiteral("share/");
        installed.sharedQuestionDir = root() + QStringLiteral("share/QDAT/");
        installed.programDir = root() + QStringLiteral("data/quarvel/BIN/");
        const auto problem = layout::prepareUserTree(installed);
        QVERIFY(problem);
        QVERIFY2(problem->contains(root() + QStringLiteral("data/quarvel/")), qPrintable(*problem));
        QCOMPARE(read(root() + QStringLiteral("data")), QByteArray("a file where the data directory should be"));
    }
};

QUARVEL_TEST_MAIN(TestInstallation)
#include "TestInstallation.moc"
