// Whole processes, from exec to the first painted window: Quarvel on the heaviest realistic
// installation (HeavyInstall.h) against a bare Qt program with one Japanese label, run alternately
// in the same run (targets: Quarvel under 250 ms and within 1.5 times the bare program). Also the
// peak resident memory of a process that walks one 500-question attempt (target under 80 MB).
// The platform is the caller's QT_QPA_PLATFORM, offscreen when unset.
#include "HeavyInstall.h"

#include "bank/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

QString g_configDir;
QString g_quarvel; // the program, copied into the installation's BIN/
QString g_root;

struct Run {
    bool ok = false;
    double wallMs = 0; // exec to the line the child prints
    double cpuMs = 0;  // the child's processor time at that moment
    double rssMb = 0;  // its peak resident memory
};

long long field(const std::string& line, const std::string& name)
{
    const size_t at = line.find(name + "=");
    return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + name.size() + 1);
}

// Starts `program` with `args`, reads its first line of output and waits for it to end.
Run runChild(const QString& program, const QStringList& args = {})
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("XDG_CONFIG_HOME=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + g_configDir.toStdString());
    env.push_back("QT_QPA_PLATFORM=" + (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                                            ? std::string("offscreen")
                                            : qEnvironmentVariable("QT_QPA_PLATFORM").toStdString()));
    env.push_back("QUARVEL_EXIT_AFTER_FIRST_PAINT=1");
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{program.toStdString()};
    for (const QString& a : args)
        argStrings.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return {};
    }
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    const long long cpu = field(line, "cpu_us");
    const long long rss = field(line, "maxrss_kb");
    run.cpuMs = cpu >= 0 ? double(cpu) / 1000.0 : 0;
    run.rssMb = rss >= 0 ? double(rss) / 1024.0 : 0;
    run.ok = rss >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double minimum(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Each iteration starts the bare program and Quarvel, in alternating order; the iteration's time
// is Quarvel's.
void BM_StartupProcessVersusBareQt(benchmark::State& state)
{
    const QString bare = QStringLiteral(QUARVEL_BARE_QT_PATH);
    // One of each first, so that both start from a warm file cache.
    runChild(bare);
    runChild(g_quarvel);
    std::vector<double> quarvelWall, bareWall, quarvelCpu, bareCpu, quarvelRss, bareRss;
    bool bareFirst = true;
    for (auto _ : state) {
        Run q, b;
        if (bareFirst) {
            b = runChild(bare);
            q = runChild(g_quarvel);
        } else {
            q = runChild(g_quarvel);
            b = runChild(bare);
        }
        bareFirst = !bareFirst;
        if (!q.ok || !b.ok) {
            state.SkipWithError("a program did not report its first paint");
            return;
        }
        state.SetIterationTime(q.wallMs / 1000.0);
        quarvelWall.push_back(q.wallMs);
        bareWall.push_back(b.wallMs);
        quarvelCpu.push_back(q.cpuMs);
        bareCpu.push_back(b.cpuMs);
        quarvelRss.push_back(q.rssMb);
        bareRss.push_back(b.rssMb);
    }
    state.counters["quarvel_min_ms"] = minimum(quarvelWall);
    state.counters["quarvel_median_ms"] = median(quarvelWall);
    state.counters["bare_min_ms"] = minimum(bareWall);
    state.counters["bare_median_ms"] = median(bareWall);
    state.counters["ratio_of_medians"] = median(quarvelWall) / median(bareWall);
    state.counters["ratio_of_minima"] = minimum(quarvelWall) / minimum(bareWall);
    state.counters["quarvel_cpu_min_ms"] = minimum(quarvelCpu);
    state.counters["bare_cpu_min_ms"] = minimum(bareCpu);
    state.counters["ratio_of_cpu_minima"] = minimum(quarvelCpu) / minimum(bareCpu);
    state.counters["quarvel_rss_mb"] = median(quarvelRss);
    state.counters["bare_rss_mb"] = median(bareRss);
}
BENCHMARK(BM_StartupProcessVersusBareQt)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A process that starts, walks one attempt of all 500 questions with the adaptive record, and
// returns to the course menu: its peak resident memory.
void BM_PeakMemoryRoad500(benchmark::State& state)
{
    std::vector<double> rss;
    for (auto _ : state) {
        const Run walk = runChild(QStringLiteral(QUARVEL_ROAD_WALKER_PATH), {g_root});
        if (walk.rssMb <= 0) {
            state.SkipWithError("the walk did not report its memory");
            return;
        }
        state.SetIterationTime(walk.wallMs / 1000.0);
        rss.push_back(walk.rssMb);
    }
    state.counters["peak_rss_mb"] = median(rss);
}
BENCHMARK(BM_PeakMemoryRoad500)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir root;
    const bench::HeavyInstall install = bench::writeHeavyInstall(root.path());
    g_root = root.path();
    // The program finds its installation from its own directory.
    g_quarvel = install.programDir + QStringLiteral("quarvel");
    if (!QFile::copy(QStringLiteral(QUARVEL_PROGRAM_PATH), g_quarvel))
        qFatal("cannot copy the program into the installation");
    // A user with a profile: the opening screen shows it.
    g_configDir = root.path() + QStringLiteral("/config");
    QDir().mkpath(g_configDir);
    settings::redirectForTests(g_configDir);
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"),
                           QStringLiteral("山田 花子"));

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
