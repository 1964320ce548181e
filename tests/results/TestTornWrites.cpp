// A rewrite never tears a file: a child process runs each writer under a file-size limit, so the
// kernel stops it at a chosen byte, and the file must then hold exactly its old bytes or exactly
// the new ones, with no temporary file left beside it. Adding a writer is one row in kWriters.
#include "ResultFixtures.h"
#include "results/AdaptiveRecord.h"
#include "results/DrillFile.h"
#include "results/HistoryFile.h"
#include "results/Scoring.h"
#include "support/TestSupport.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

const QString kQuestionFile = QStringLiteral("/inst/QDAT/oracle/qv101.qdf");

History sampleHistory()
{
    History h;
    for (int k = 0; k < 10; ++k)
        h.attempts[size_t(k)] = {k + 3, 1 + k, 2 + k, 3 + k, 4 + k, 9 * k, 1 + k % 3, 30 + k};
    h.best = 88;
    h.average = 47;
    for (int c = 0; c < 50; ++c)
        h.categories[size_t(c)].fill(c % 101);
    for (int q = 0; q < 500; ++q) {
        h.correct[size_t(q)] = (q * 5) % 256;
        h.wrong[size_t(q)] = (q * 11) % 256;
    }
    return h;
}

// An adaptive record of 200 questions and an attempt over all of them.
struct AdaptiveCase {
    std::unique_ptr<QuestionBank> bank = testsupport::oneCategoryBank(200, 30, {"right", "wrong"});
    fixtures::Session session;
    AdaptiveCase()
    {
        for (int q = 1; q <= 200; ++q) {
            session.add(1, q % 3 == 0, q).number = q;
            session.answers->at(q).secondsOnQuestion = q % 7 + 1;
        }
    }
    AttemptScore score() const { return ScoreAttempt(*session.questions, *session.answers, session.count, 60, {}); }
    std::string before() const { return AdaptiveRecordBytes(InitialAdaptiveLines(*bank)); }
    std::string after() const
    {
        std::vector<std::string> lines = InitialAdaptiveLines(*bank);
        AddAttemptToAdaptiveLines(lines, *session.questions, *session.answers, score(), QStringLiteral("t.ADP"));
        return AdaptiveRecordBytes(lines);
    }
    bool write(const QString& path) const
    {
        return !UpdateAdaptiveRecord(path, *bank, *session.questions, *session.answers, score());
    }
};
const AdaptiveCase& adaptiveCase()
{
    static const AdaptiveCase c;
    return c;
}

// A drill deck of 300 questions and an attempt that reviews every other one.
struct DrillCase {
    int today = *drillday::fromDate(2026, 12, 10);
    DrillDeck deck;
    std::vector<DrillReview> reviews;
    DrillCase()
    {
        for (int q = 1; q <= 300; ++q)
            deck.cards.push_back({q, 1.5 + q, 5.0, today - 3, today - 1, 1, 0});
        for (int q = 1; q <= 300; q += 2)
            reviews.push_back({q, fsrs::Grade(1 + q % 4)});
    }
    std::string before() const { return DrillFileBytes(deck); }
    std::string after() const
    {
        DrillDeck changed = deck;
        ApplyDrillReviews(changed, reviews, today);
        return DrillFileBytes(changed);
    }
};
const DrillCase& drillCase()
{
    static const DrillCase c;
    return c;
}

// One file the program rewrites: what stands on disk before, what the write leaves, and the write.
struct Writer {
    const char* name;
    const char* fileName;
    std::string (*oldBytes)(); // empty: no file before the write
    std::string (*newBytes)();
    bool (*write)(const QString& path);
};

const Writer kWriters[] = {
    {"history over an older history", "qv101.his", [] { return EmptyHistoryBytes(kQuestionFile); },
     [] { return HistoryBytes(sampleHistory(), HistoryNameField(kQuestionFile)); },
     [](const QString& path) { return SaveHistory(path, sampleHistory(), kQuestionFile); }},
    {"new empty history", "qv102.his", [] { return std::string(); }, [] { return EmptyHistoryBytes(kQuestionFile); },
     [](const QString& path) { return CreateEmptyHistory(path, kQuestionFile); }},
    {"adaptive record after an attempt", "qv101.ADP", [] { return adaptiveCase().before(); },
     [] { return adaptiveCase().after(); }, [](const QString& path) { return adaptiveCase().write(path); }},
    {"drill deck after an attempt", "qv101.DRL", [] { return drillCase().before(); },
     [] { return drillCase().after(); },
     [](const QString& path) { return !UpdateDrillFile(path, drillCase().reviews, drillCase().today); }},
};

enum class Outcome { Completed, Failed, Killed };

// Runs the write in a child whose files may not grow past `limit` bytes.
Outcome writeInChild(const Writer& writer, const QString& path, rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        const rlimit size{limit, limit};
        setrlimit(RLIMIT_FSIZE, &size);
        _exit(writer.write(path) ? 0 : 3);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return Outcome::Failed;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ)
        return Outcome::Killed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::Completed : Outcome::Failed;
}

} // namespace

class TestTornWrites : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void killedWriteLeavesOldOrNewBytes_data()
    {
        QTest::addColumn<int>("writer");
        for (int w = 0; w < int(std::size(kWriters)); ++w)
            QTest::newRow(kWriters[w].name) << w;
    }

    void killedWriteLeavesOldOrNewBytes()
    {
        QFETCH(int, writer);
        const Writer& w = kWriters[writer];
        const std::string oldBytes = w.oldBytes();
        const std::string newBytes = w.newBytes();
        QVERIFY(oldBytes != newBytes);

        // Every byte of the first stretch and of the end, and a spread of positions in between
        // (each position forks a child: enough to cover the file, few enough to stay quick).
        std::vector<rlim_t> limits;
        for (size_t at = 0; at <= newBytes.size() + 1; ++at)
            if (at < 16 || at + 16 > newBytes.size() || at % 97 == 0)
                limits.push_back(rlim_t(at));

        for (const rlim_t limit : limits) {
            testsupport::TempInstall install;
            const QString dir = install.root() + QStringLiteral("HIST/oracle/");
            QVERIFY(QDir().mkpath(dir));
            const QString path = dir + QLatin1String(w.fileName);
            if (!oldBytes.empty())
                install.writeFile(QStringLiteral("HIST/oracle/") + QLatin1String(w.fileName), oldBytes);

            const Outcome outcome = writeInChild(w, path, limit);
            const std::string after = testsupport::readBytes(path);
            const QString at = QStringLiteral("limit %1: ").arg(limit);
            if (limit >= newBytes.size()) {
                QVERIFY2(outcome == Outcome::Completed, qPrintable(at + QStringLiteral("the write did not complete")));
                QVERIFY2(after == newBytes, qPrintable(at + QStringLiteral("not the new bytes")));
            } else {
                QVERIFY2(outcome != Outcome::Completed,
                         qPrintable(at + QStringLiteral("a cut write reported success")));
                QVERIFY2(after == oldBytes, qPrintable(at + QStringLiteral("not the old bytes")));
            }
            // Nothing but the file itself: no temporary file for the next start to find.
            const QStringList left = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
            const QStringList expected = after.empty() ? QStringList() : QStringList{QLatin1String(w.fileName)};
            QVERIFY2(left == expected, qPrintable(at + left.join(QLatin1Char(' '))));
        }
    }
};

QUARVEL_TEST_MAIN(TestTornWrites)
#include "TestTornWrites.moc"
