#pragma once

#include "terminal/IdleTimer.h"
#include "terminal/Pacer.h"

#include <QStringList>

#include <functional>

// A virtual clock: sleeps advance it at once, event passes are counted and can run a
// callback at a chosen pass, and the idle timer ticks when virtual time reaches it.
class TestPacer : public Pacer, public IdleTimer
{
public:
    TestPacer();

    void doEvents() override;
    void sleep(int ms) override;
    QDateTime now() override { return start.addMSecs(elapsedMs); }

    void restart() override;
    void setHandler(std::function<void()> handler) override { m_tick = std::move(handler); }

    // Advances virtual time, ticking the idle timer every 5000 ms since its last restart.
    void advance(qint64 ms);

    QDateTime start;
    qint64 elapsedMs = 0;
    int eventPasses = 0;
    int restarts = 0;
    int ticks = 0;
    QList<int> sleeps;
    // Called on every event pass with its number (1 for the first).
    std::function<void(int)> onEvents;
    // Called on every sleep with its length.
    std::function<void(int)> onSleep;

private:
    std::function<void()> m_tick;
    qint64 m_nextTick = 5000;
    bool m_inEvents = false;
};
