#include "terminal/Pacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {
qint64 monotonicNs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed();
}
} // namespace

void RealPacer::doEvents()
{
    // Callers ask for an event pass per byte; more than one pass every 0.2 ms only costs
    // time, since a person cannot click or see faster than that.
    const qint64 now = monotonicNs();
    if (now - m_lastPass < 200000)
        return;
    m_lastPass = now;
    QCoreApplication::processEvents();
}

void RealPacer::sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}
