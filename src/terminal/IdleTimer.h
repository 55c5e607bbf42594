#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// The 5000 ms timer that closes the port after the last operation. Restarting it makes its
// next tick come a full interval later. Tests drive ticks by hand.
class IdleTimer
{
public:
    virtual ~IdleTimer() = default;
    virtual void restart() = 0;
    // Called on every tick.
    virtual void setHandler(std::function<void()> handler) = 0;
};

class QtIdleTimer : public IdleTimer
{
public:
    explicit QtIdleTimer(int intervalMs = 5000);
    void restart() override;
    void setHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    QTimer m_timer;
    std::function<void()> m_handler;
};
