#include "support/TestPacer.h"

TestPacer::TestPacer() : start(QDate(2026, 3, 14), QTime(17, 45, 12)) {}

void TestPacer::doEvents()
{
    ++eventPasses;
    // A callback that itself lets events run does not recurse into itself.
    if (onEvents && !m_inEvents) {
        m_inEvents = true;
        onEvents(eventPasses);
        m_inEvents = false;
    }
}

void TestPacer::sleep(int ms)
{
    sleeps.append(ms);
    if (onSleep)
        onSleep(ms);
    // A blocking sleep lets no timer run; time just passes.
    elapsedMs += qMax(0, ms);
}

void TestPacer::restart()
{
    ++restarts;
    m_nextTick = elapsedMs + 5000;
}

void TestPacer::advance(qint64 ms)
{
    const qint64 end = elapsedMs + ms;
    while (m_nextTick <= end) {
        elapsedMs = m_nextTick;
        m_nextTick += 5000;
        ++ticks;
        if (m_tick)
            m_tick();
    }
    elapsedMs = end;
}
