#include "cli/CliOptions.h"
#include "cli/CliSession.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A reader that stops early (| head) ends the run quietly instead of killing it mid-send.
    std::signal(SIGPIPE, SIG_IGN);
    const CliParse parsed = parseCliArguments(QCoreApplication::arguments().mid(1));
    if (parsed.help) {
        std::fputs(cliUsage().toLocal8Bit().constData(), stdout);
        return CliSession::Success;
    }
    if (!parsed.options) {
        const QString text =
            QStringLiteral("corvane-cli: ") + parsed.error + QStringLiteral("\n\n") + cliUsage();
        std::fputs(text.toLocal8Bit().constData(), stderr);
        return CliSession::UsageError;
    }
    CliSession session(*parsed.options, stdout);
    return session.run();
}
