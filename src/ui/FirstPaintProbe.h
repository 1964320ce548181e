#pragma once
// Start-up measurement: with QUARVEL_EXIT_AFTER_FIRST_PAINT set in the environment, the program
// ends as soon as its first window has been painted and says so on standard output:
//     first-paint cpu_us=N maxrss_kb=N
// (processor time and peak resident memory of the process at that moment), so that a benchmark
// can time a whole start from exec to a picture on screen. Header only: the bare Qt program the
// start-up is compared with (bench/) carries the same probe and nothing else of ours.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace ui
{

class FirstPaintProbe : public QObject
{
  public:
    static bool requested() { return qEnvironmentVariableIsSet("QUARVEL_EXIT_AFTER_FIRST_PAINT"); }

    // Watches `window` (and is deleted with it).
    explicit FirstPaintProbe(QWidget* window) : QObject(window) { window->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued: the children's paint and the flush to the screen finish first.
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void report()
    {
        const long long cpuMicroseconds = static_cast<long long>(std::clock()) * 1000000LL / CLOCKS_PER_SEC;
        long long peakKilobytes = 0;
#ifdef Q_OS_UNIX
        rusage usage{};
        if (getrusage(RUSAGE_SELF, &usage) == 0)
            peakKilobytes = usage.ru_maxrss;
#endif
        std::printf("first-paint cpu_us=%lld maxrss_kb=%lld\n", cpuMicroseconds, peakKilobytes);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool m_seen = false;
};

} // namespace ui
