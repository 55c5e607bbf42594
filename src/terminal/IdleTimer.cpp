#include "terminal/IdleTimer.h"

QtIdleTimer::QtIdleTimer(int intervalMs)
{
    m_timer.setInterval(intervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (m_handler)
            m_handler();
    });
    m_timer.start();
}

void QtIdleTimer::restart()
{
    m_timer.stop();
    m_timer.start();
}
