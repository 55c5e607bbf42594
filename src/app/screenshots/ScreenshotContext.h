#pragma once

#include "link/PortProvider.h"
#include "terminal/IdleTimer.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"

#include <QStringList>

#include <memory>

class Terminal;
class frmTerminal;

// What a screenshot factory builds on: a terminal core on a line that reaches nothing, an
// operator that answers every question without showing it, and the main window started as
// at program start. Each screenshot gets a fresh context.
class ScreenshotContext
{
public:
    ScreenshotContext();
    ~ScreenshotContext();

    Terminal &terminal() { return *m_terminal; }
    // The main window after Form_Load, created on first use; other windows use it as their
    // owner, as they do in the program.
    frmTerminal &mainWindow();

private:
    // Ports that open nothing, with a fixed list for dialogs that show it.
    class SamplePorts : public PortProvider
    {
    public:
        std::unique_ptr<PortBackend> create(const QString &portName) override;
        QStringList ports() override;
    };
    // Answers OK where it is the only choice, Cancel elsewhere, and cancels file dialogs.
    class SilentOperator : public Operator
    {
    public:
        Answer message(const QString &, Buttons buttons, Icon, const QString &) override;
        std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }
    };
    // Neither sleeps nor runs events: sample content is put in place at once.
    class InstantPacer : public Pacer, public IdleTimer
    {
    public:
        void doEvents() override {}
        void sleep(int) override {}
        QDateTime now() override;
        void restart() override {}
        void setHandler(std::function<void()>) override {}
    };

    SamplePorts m_ports;
    SilentOperator m_operator;
    InstantPacer m_pacer;
    std::unique_ptr<Terminal> m_terminal;
    std::unique_ptr<frmTerminal> m_mainWindow;
};
