// Reports the time from launch to the end of the first paint and the resident memory then,
// and ends the program. The launcher puts its start time (CLOCK_REALTIME, ns) in BENCH_T0.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>

namespace zelkon::bench {

inline long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

inline long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint) {
            m_seen = true;
            // Queued: runs once the whole window has been painted and flushed.
            QTimer::singleShot(0, qApp, [] {
                const char* t0 = std::getenv("BENCH_T0");
                const long long start = t0 != nullptr ? std::atoll(t0) : 0;
                std::printf("first_paint_ms %.3f rss_kb %ld\n",
                            static_cast<double>(NowNs() - start) / 1e6, ResidentKb());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

}  // namespace zelkon::bench
