#pragma once

#include <QDateTime>

// Time as the terminal sees it: event passes, blocking sleeps and the clock. The real one
// runs the event loop and sleeps; tests record the calls and advance a virtual clock.
class Pacer
{
public:
    virtual ~Pacer() = default;
    // Lets pending window events run once.
    virtual void doEvents() = 0;
    // A blocking sleep: no events run meanwhile.
    virtual void sleep(int ms) = 0;
    virtual QDateTime now() = 0;
};

// Runs the application's event loop and really sleeps.
class RealPacer : public Pacer
{
public:
    void doEvents() override;
    void sleep(int ms) override;
    QDateTime now() override { return QDateTime::currentDateTime(); }

private:
    // Far enough in the past that the first call always runs its pass.
    qint64 m_lastPass = -1'000'000'000;
};
