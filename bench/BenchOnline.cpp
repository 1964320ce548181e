// The online services against quarvel-center on loopback: an update of 30 question files of
// about 1 MB each (target < 1.5 s) and a sync of 30 tests that uploads each (target < 0.5 s).
#include "bank/QuestionFileWriter.h"
#include "install/CourseListing.h"
#include "install/InstallLayout.h"
#include "online/HistorySync.h"
#include "online/QuestionUpdate.h"
#include "results/HistoryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

constexpr int kFiles = 30;

void write(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes.data(), qint64(bytes.size()));
}

// A test of 500 questions with long texts: about 1 MB.
std::string bigQuestionFile(int n, const std::string& stamp)
{
    QuestionHeader header;
    header.code = "QV-" + std::to_string(n);
    header.title = "Bench " + std::to_string(n);
    header.updated = stamp;
    header.targetRate = "70";
    header.mockCount = 50;
    auto bank = std::make_unique<QuestionBank>();
    bank->mockMinutes = 60;
    bank->categoryCount = 1;
    bank->category(1).name = "Bench";
    bank->category(1).questionCount = kMaxQuestions;
    bank->category(1).sub(1) = {"All", kMaxQuestions};
    for (int j = 1; j <= kMaxQuestions; ++j) {
        QuestionRecord& r = bank->question(j);
        r.number = j;
        r.category = 1;
        r.subCategory = 1;
        r.text = std::string(1200, char('a' + j % 26));
        r.storedChoiceCount = 4;
        r.shownChoiceCount = 4;
        r.correctCount = 1;
        r.style = kStyleSingle;
        for (int c = 0; c < 4; ++c)
            r.choices[size_t(c)] = "choice " + std::to_string(c) + std::string(100, 'x');
        r.explanation = "\r\n" + std::string(400, 'e');
    }
    bank->questionCount = bank->recordsRead = kMaxQuestions;
    return QuestionFileBytes(header, *bank);
}

class Center
{
  public:
    Center()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("updates"));
        QDir(m_dir.path()).mkpath(QStringLiteral("images"));
        m_process.start(QStringLiteral(QUARVEL_CENTER_PATH),
                        {QStringLiteral("serve"), QStringLiteral("--db"), db(), QStringLiteral("--updates"),
                         dir("updates"), QStringLiteral("--images"), dir("images"), QStringLiteral("--port"),
                         QStringLiteral("0"), QStringLiteral("--until-stdin-closes")});
        m_process.waitForReadyRead(15000);
        const QByteArray line = m_process.readLine().trimmed();
        address = QString::fromLatin1(line.mid(line.indexOf("on ") + 3));
        QProcess::execute(QStringLiteral(QUARVEL_CENTER_PATH),
                          {QStringLiteral("add-user"), QStringLiteral("--db"), db(), QStringLiteral("--serial"),
                           QStringLiteral("B-1")});
    }
    ~Center()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(5000);
    }
    QString db() const { return m_dir.path() + QStringLiteral("/center.sqlite"); }
    QString dir(const char* name) const
    {
        return m_dir.path() + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('/');
    }
    QString address;

  private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

void BM_Update30Files(benchmark::State& state)
{
    Center center;
    QTemporaryDir root;
    layout::setProgramDir(root.path() + QStringLiteral("/BIN/"));
    std::vector<std::string> old;
    for (int n = 0; n < kFiles; ++n) {
        write(center.dir("updates") + QStringLiteral("t%1.qdf").arg(n), bigQuestionFile(n, "20300101000000"));
        old.push_back(bigQuestionFile(n, "20010101000000"));
    }
    const online::ServerInfo server{center.address, QStringLiteral("cgi-bin/update"), center.address,
                                    QStringLiteral("images")};
    online::HttpTransport http;
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int n = 0; n < kFiles; ++n)
            write(root.path() + QStringLiteral("/QDAT/oracle/t%1.qdf").arg(n), old[size_t(n)]);
        state.ResumeTiming();
        const online::UpdateRun run =
            online::RunVendorUpdate(http, server, {"Bench", "B-1", "b@example.com"}, QStringLiteral("oracle"));
        if (run.failed || run.replaced.size() != size_t(kFiles))
            state.SkipWithError("the update did not replace every file");
        bytes += qint64(old.size() * old[0].size());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_Update30Files)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Sync30Tests(benchmark::State& state)
{
    Center center;
    QTemporaryDir root;
    const QString bin = root.path() + QStringLiteral("/BIN/");
    layout::setProgramDir(bin);
    QDir().mkpath(bin);
    for (int n = 0; n < kFiles; ++n)
        write(root.path() + QStringLiteral("/QDAT/oracle/t%1.qdf").arg(n), bigQuestionFile(n, "20010101000000"));
    const QList<CourseTest> tests =
        listVendorTests(root.path() + QStringLiteral("/QDAT/oracle/"), QStringLiteral("oracle")).tests;
    createMissingHistories(tests);
    const online::SyncServers servers{center.address + QStringLiteral("/cgi-bin/his-status"),
                                      center.address + QStringLiteral("/cgi-bin/his-upload"),
                                      center.address + QStringLiteral("/cgi-bin/his-download")};
    online::HttpTransport http;
    online::HistorySync sync(http, servers, {"Bench", "B-1", "b@example.com"}, bin);
    QDateTime stamp(QDate(2020, 1, 1), QTime(0, 0));
    for (auto _ : state) {
        state.PauseTiming();
        // Every history newer than the server's copy: each is uploaded.
        stamp = stamp.addSecs(60);
        for (const CourseTest& test : tests) {
            QFile file(test.historyFile);
            file.open(QIODevice::ReadWrite);
            file.setFileTime(stamp, QFileDevice::FileModificationTime);
        }
        state.ResumeTiming();
        QList<online::SyncRow> rows;
        if (sync.queryStatus(tests, rows).outcome != online::HistorySync::Outcome::Done || rows.size() != kFiles)
            state.SkipWithError("status failed");
        for (const online::SyncRow& row : rows) {
            const auto result = sync.transfer(row);
            if (row.state != online::kStateClientNewer || result.outcome != online::HistorySync::Outcome::Done) {
                const std::string why = (row.state + QLatin1Char(' ') + result.message).toStdString();
                state.SkipWithError(why.c_str());
                break;
            }
        }
        sync.cleanUp();
    }
}
BENCHMARK(BM_Sync30Tests)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
