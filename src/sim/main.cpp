#include "sim/PtyServer.h"
#include "sim/VirtualPrinter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "corvane-sim: %s\n", qPrintable(text));
}

// Ends the program when standard input closes; what is typed there is ignored.
void watchStandardInput(QCoreApplication &app)
{
    // In the background of an interactive shell a read would stop the program; ignoring
    // SIGTTIN turns that into an error, after which standard input is simply not watched.
    std::signal(SIGTTIN, SIG_IGN);
    auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0 || (n < 0 && (errno == EINTR || errno == EAGAIN)))
            return;
        if (n < 0 && errno == EIO) {
            notifier->setEnabled(false);
            return;
        }
        QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual Corvane printer on a pseudo-terminal. Prints the device path, "
                       "then answers whatever opens it, until killed or until standard input "
                       "closes."));
    parser.addHelpOption();
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Model name to report (CV4200, CV4700, R615DX, "
                                                  "or any text for an incompatible printer)."),
                                   QStringLiteral("NAME"), QStringLiteral("CV4200"));
    const QCommandLineOption coverOpen(QStringLiteral("cover-open"),
                                       QStringLiteral("Start with the cover open."));
    const QCommandLineOption paper(QStringLiteral("paper"),
                                   QStringLiteral("Paper: present, low or out."),
                                   QStringLiteral("present|low|out"), QStringLiteral("present"));
    const QCommandLineOption drawer1(QStringLiteral("drawer1-open"),
                                     QStringLiteral("Start with cash drawer 1 open."));
    const QCommandLineOption drawer2(QStringLiteral("drawer2-open"),
                                     QStringLiteral("Start with cash drawer 2 open."));
    const QCommandLineOption paperFile(QStringLiteral("paper-file"),
                                       QStringLiteral("Append every printed byte to FILE."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Trace each command on standard error."));
    parser.addOptions({model, coverOpen, paper, drawer1, drawer2, paperFile, verbose});

    if (!parser.parse(app.arguments())) {
        printError(parser.errorText());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty()) {
        printError(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());
        return 2;
    }
    const QString paperState = parser.value(paper);
    if (paperState != QLatin1String("present") && paperState != QLatin1String("low") &&
        paperState != QLatin1String("out")) {
        printError(
            QStringLiteral("--paper must be present, low or out, not \"%1\"").arg(paperState));
        return 2;
    }

    VirtualPrinter printer;
    printer.setModel(parser.value(model));
    printer.setCoverOpen(parser.isSet(coverOpen));
    printer.setPaperLow(paperState == QLatin1String("low"));
    printer.setPaperOut(paperState == QLatin1String("out"));
    printer.setDrawerOpen(1, parser.isSet(drawer1));
    printer.setDrawerOpen(2, parser.isSet(drawer2));

    QFile paperOut;
    if (parser.isSet(paperFile)) {
        paperOut.setFileName(parser.value(paperFile));
        if (!paperOut.open(QIODevice::WriteOnly | QIODevice::Append)) {
            printError(QStringLiteral("cannot open %1: %2")
                           .arg(paperOut.fileName(), paperOut.errorString()));
            return 1;
        }
        QObject::connect(&printer, &VirtualPrinter::printed, &app,
                         [&paperOut](const QByteArray &raw) {
                             if (paperOut.write(raw) != raw.size() || !paperOut.flush()) {
                                 printError(QStringLiteral("cannot write %1: %2")
                                                .arg(paperOut.fileName(), paperOut.errorString()));
                                 QCoreApplication::exit(1);
                             }
                         });
    }
    if (parser.isSet(verbose)) {
        QObject::connect(&printer, &VirtualPrinter::commandUnderstood, &app,
                         [](const QString &description) {
                             std::fprintf(stderr, "%s\n", qPrintable(description));
                         });
    }

    PtyServer server;
    if (!server.open()) {
        printError(server.errorText());
        return 1;
    }
    QObject::connect(&server, &PtyServer::received, &printer, &VirtualPrinter::receive);
    QObject::connect(&printer, &VirtualPrinter::answered, &server, &PtyServer::send);
    QObject::connect(&server, &PtyServer::failed, &app, [](const QString &reason) {
        printError(reason);
        QCoreApplication::exit(1);
    });

    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);
    watchStandardInput(app);
    return app.exec();
}
