#include "terminal/LogControl.h"

#include "terminal/Operator.h"
#include "terminal/Terminal.h"

#include <QFileInfo>

void LogControl::MOpenLog_Click()
{
    // One log at a time; the menu item is disabled while one is open.
    if (m_terminal.Log.isOpen())
        return;
    Operator &op = m_terminal.op();
    const Operator::FileRequest request{
        QStringLiteral("Open Communications Log File"),
        QStringLiteral("Log Files (*.LOG)|*.log|All Files (*.*)|*.*"),
        QStringLiteral("LOG"),
        QString(),
    };
    const auto failed = [&op](const QString &error) {
        op.message(error, Operator::Buttons::Ok, Operator::Icon::Exclamation);
    };
    for (;;) {
        const std::optional<QString> chosen = op.openFile(request);
        if (!chosen)
            return;
        m_terminal.LogName = *chosen;
        bool found = false;
        if (const auto error = LogFile::exists(m_terminal.LogName, found)) {
            failed(*error);
            return;
        }
        if (!found)
            break;
        const auto answer = op.message(QStringLiteral("Replace existing file - ") +
                                           m_terminal.LogName + QLatin1Char('?'),
                                       Operator::Buttons::YesNoCancel, Operator::Icon::Question);
        if (answer == Operator::Answer::Cancel)
            continue;
        if (answer == Operator::Answer::Yes) {
            if (const auto error = LogFile::remove(m_terminal.LogName)) {
                failed(*error);
                return;
            }
        }
        break;
    }
    if (const auto error = m_terminal.Log.open(m_terminal.LogName)) {
        failed(*error);
        return;
    }
    const QString title = QFileInfo(m_terminal.LogName).fileName();
    m_terminal.changeControls([&title](TerminalControls &c) {
        c.logOpen = true;
        c.caption = QStringLiteral("Demo Log - ") + title;
    });
}

void LogControl::MCloseLog_Click()
{
    m_terminal.Log.close();
    m_terminal.changeControls([](TerminalControls &c) {
        c.logOpen = false;
        c.caption = QStringLiteral("Corvane 4200");
    });
}
