#include "link/SerialBackend.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int DeadlineMs = 10000;
const QString Mode = QStringLiteral("baud=19200 parity=N data=8 stop=1");

// corvane-sim run as a separate program, with the device path it printed.
struct SimProgram
{
    explicit SimProgram(const QStringList &arguments)
    {
        process.start(QStringLiteral(CORVANE_SIM_PATH), arguments);
        const QDeadlineTimer deadline(DeadlineMs);
        while (!process.canReadLine() && !deadline.hasExpired() &&
               process.state() != QProcess::NotRunning)
            process.waitForReadyRead(int(deadline.remainingTime()));
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~SimProgram()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(DeadlineMs);
        }
    }
    // Closes its standard input, which ends it.
    bool quit()
    {
        process.closeWriteChannel();
        return process.waitForFinished(DeadlineMs) &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QProcess process;
    QString path;
};

// Reads from the backend until the answer ends with the given text or the deadline passes.
QByteArray readUntil(PortBackend &port, const QByteArray &end)
{
    QByteArray got;
    const QDeadlineTimer deadline(DeadlineMs);
    while (!got.endsWith(end) && !deadline.hasExpired())
        got += port.read(256, 100, 10);
    return got;
}

// The same through a plain file descriptor, as any terminal program reads.
QByteArray readUntil(int fd, const QByteArray &end)
{
    QByteArray got;
    const QDeadlineTimer deadline(DeadlineMs);
    while (!got.endsWith(end) && !deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

} // namespace

// corvane-sim end to end: started, reached through its pseudo-terminal, ended by closing its
// standard input.
class tst_SimProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answersThroughTheSerialBackend();
    void answersAnyProgramThatOpensThePath();
    void writesThePaperFileAndTracesCommands();
    void refusesBadArguments_data();
    void refusesBadArguments();
};

void tst_SimProgram::answersThroughTheSerialBackend()
{
    SimProgram sim(
        {QStringLiteral("--model"), QStringLiteral("CV4700"), QStringLiteral("--cover-open")});
    QVERIFY2(sim.path.startsWith(QLatin1String("/dev/")), qPrintable(sim.path));

    SerialBackend port(sim.path);
    QVERIFY2(port.open(Mode), qPrintable(port.errorText()));
    QCOMPARE(port.write("\x05\x15"), 2);
    const QByteArray product = readUntil(port, "\r");
    QVERIFY2(product.contains("CMD:CV4700 "), product.constData());
    QCOMPARE(port.write("\x05\x08"), 2);
    QCOMPARE(readUntil(port, "\x08"), QByteArray("\x15\x08"));

    // The terminal closes the port between operations and opens it again.
    port.close();
    QVERIFY2(port.open(Mode), qPrintable(port.errorText()));
    QCOMPARE(port.write("\x05\x04"), 2);
    QCOMPARE(readUntil(port, "\x04"), QByteArray("\x06\x04"));
    port.close();

    QVERIFY(sim.quit());
}

void tst_SimProgram::answersAnyProgramThatOpensThePath()
{
    SimProgram sim({QStringLiteral("--drawer2-open")});
    for (int session = 0; session < 2; ++session) {
        const int fd = ::open(sim.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "\x05\x02", 2), ssize_t(2));
        const QByteArray answer = readUntil(fd, "\x02");
        ::close(fd);
        QCOMPARE(answer, QByteArray("\x15\x02"));
    }
    QVERIFY(sim.quit());
}

void tst_SimProgram::writesThePaperFileAndTracesCommands()
{
    QTemporaryDir dir;
    const QString paperFile = dir.filePath(QStringLiteral("paper.prn"));
    SimProgram sim({QStringLiteral("--paper-file"), paperFile, QStringLiteral("--verbose"),
                    QStringLiteral("--paper"), QStringLiteral("low")});
    SerialBackend port(sim.path);
    QVERIFY2(port.open(Mode), qPrintable(port.errorText()));
    // The printer prints what came before a query before it answers it.
    QCOMPARE(port.write("Hello\x1b"
                        "a\x01\n\x05\x03"),
             11);
    QCOMPARE(readUntil(port, "\x03"), QByteArray("\x15\x03"));
    QFile file(paperFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Hello\x1b"
                                        "a\x01\n"));
    port.close();

    QVERIFY(sim.quit());
    const QList<QByteArray> trace = sim.process.readAllStandardError().trimmed().split('\n');
    QCOMPARE(trace, QList<QByteArray>{"status query 03: NAK"});
}

void tst_SimProgram::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown paper state")
        << QStringList{"--paper", "wet"} << 2 << "--paper must be present, low or out";
    QTest::newRow("unknown option") << QStringList{"--lid-open"} << 2 << "lid-open";
    QTest::newRow("stray argument") << QStringList{"CV4700"} << 2 << "CV4700";
    QTest::newRow("paper file in a missing folder")
        << QStringList{"--paper-file", "/nonexistent/folder/paper.prn"} << 1
        << "/nonexistent/folder/paper.prn";
}

void tst_SimProgram::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    SimProgram sim(arguments);
    QVERIFY(sim.process.state() == QProcess::NotRunning || sim.process.waitForFinished(DeadlineMs));
    QCOMPARE(sim.process.exitCode(), exitCode);
    QVERIFY(sim.path.isEmpty());
    const QString error = QString::fromLocal8Bit(sim.process.readAllStandardError());
    QVERIFY2(error.contains(message), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_SimProgram)
#include "tst_simprogram.moc"
