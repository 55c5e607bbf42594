#include "link/POSPrinter.h"
#include "link/SerialBackend.h"
#include "link/SystemPorts.h"
#include "support/PtyMaster.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTest>

namespace {

const QString defaultMode = QStringLiteral("baud=19200 parity=N data=8 stop=1");

// Writes until the line takes nothing; the bytes taken.
qint64 fillLine(SerialBackend &port)
{
    const QByteArray block(64 * 1024, 'x');
    qint64 total = 0;
    for (qint64 n = port.write(block); n > 0; n = port.write(block))
        total += n;
    return total;
}

} // namespace

// The serial line over QSerialPort, against a pseudo-terminal whose far end the test plays.
class tst_SerialBackend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void opensWithTheGivenSettings_data();
    void opensWithTheGivenSettings();
    void bytesTravelBothWays_data();
    void bytesTravelBothWays();
    void readTakesWhatCameAndReturnsWhenQuiet();
    void reopeningAnOpenPortAppliesNewSettingsAndKeepsInput();
    void breakLeavesTheLineUsable();
    void portNamesReachTheDevice_data();
    void portNamesReachTheDevice();
    void portsThatCannotOpenRefuseEverything_data();
    void portsThatCannotOpenRefuseEverything();
    void stalledLineGivesPartialAcceptance_data();
    void stalledLineGivesPartialAcceptance();
    void hangUpClosesThePortOnce_data();
    void hangUpClosesThePortOnce();

private:
    std::unique_ptr<PtyMaster> m_pty;
};

void tst_SerialBackend::init()
{
    m_pty = std::make_unique<PtyMaster>();
    if (!m_pty->isValid())
        QSKIP("no pseudo-terminal available");
}

void tst_SerialBackend::opensWithTheGivenSettings_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("flow");
    QTest::addColumn<speed_t>("speed");
    QTest::addColumn<bool>("twoStop");
    QTest::addColumn<tcflag_t>("flowFlags");
    QTest::newRow("defaults, no flow")
        << defaultMode << 0 << speed_t(B19200) << false << tcflag_t(0);
    QTest::newRow("9600 2 stop Xon/Xoff") << "baud=9600 parity=N data=8 stop=2" << 1
                                          << speed_t(B9600) << true << tcflag_t(IXON | IXOFF);
    QTest::newRow("115200 7E1 hardware") << "baud=115200 parity=E data=7 stop=1" << 2
                                         << speed_t(B115200) << false << tcflag_t(CRTSCTS);
    QTest::newRow("230400 odd") << "baud=230400 parity=O data=8 stop=1" << 0 << speed_t(B230400)
                                << false << tcflag_t(0);
}

void tst_SerialBackend::opensWithTheGivenSettings()
{
    QFETCH(QString, mode);
    QFETCH(int, flow);
    QFETCH(speed_t, speed);
    QFETCH(bool, twoStop);
    QFETCH(tcflag_t, flowFlags);
    SerialBackend port(m_pty->path());
    QVERIFY2(port.open(mode), qPrintable(port.errorText()));
    port.setFlowControl(flow);
    QVERIFY(port.isOpen());
    const termios line = m_pty->lineSettings();
    QCOMPARE(cfgetospeed(&line), speed);
    QCOMPARE(bool(line.c_cflag & CSTOPB), twoStop);
    const tcflag_t allFlow = (line.c_iflag & (IXON | IXOFF)) | (line.c_cflag & CRTSCTS);
    QCOMPARE(allFlow, flowFlags);
}

void tst_SerialBackend::bytesTravelBothWays_data()
{
    // With Xon/Xoff, 11 and 13 are flow bytes, so only the other two modes carry them.
    QTest::addColumn<int>("flow");
    QTest::newRow("no flow control") << 0;
    QTest::newRow("hardware flow control") << 2;
}

void tst_SerialBackend::bytesTravelBothWays()
{
    QFETCH(int, flow);
    const QByteArray bytes("\x00\x11\x13\xff\x1b@\r\n\x7f", 9);
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    port.setFlowControl(flow);

    QCOMPARE(port.write(bytes), bytes.size());
    QCOMPARE(m_pty->read(bytes.size()), bytes);

    QVERIFY(m_pty->write(bytes));
    QByteArray got;
    const QDeadlineTimer deadline(5000);
    while (got.size() < bytes.size() && !deadline.hasExpired())
        got += port.read(int(bytes.size() - got.size()), 1000, 100);
    QCOMPARE(got, bytes);
}

void tst_SerialBackend::readTakesWhatCameAndReturnsWhenQuiet()
{
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    port.setFlowControl(0);
    QCOMPARE(port.read(1, 10, 10), QByteArray());

    QVERIFY(m_pty->write("XYZ"));
    QCOMPARE(port.read(1, 2000, 100), QByteArray("X"));
    QCOMPARE(port.read(5, 2000, 100), QByteArray("YZ"));
    QCOMPARE(port.read(1, 10, 10), QByteArray());
    QCOMPARE(port.read(1, 0, 0), QByteArray());
    QVERIFY(port.isOpen());
}

void tst_SerialBackend::reopeningAnOpenPortAppliesNewSettingsAndKeepsInput()
{
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    QVERIFY(m_pty->write("kept"));
    QCOMPARE(port.read(1, 2000, 100), QByteArray("k"));
    QVERIFY(port.open(QStringLiteral("baud=9600 parity=N data=8 stop=2")));
    QVERIFY(port.isOpen());
    const termios line = m_pty->lineSettings();
    QCOMPARE(cfgetospeed(&line), speed_t(B9600));
    QVERIFY(line.c_cflag & CSTOPB);
    QCOMPARE(port.read(3, 2000, 100), QByteArray("ept"));
    QCOMPARE(port.write("ok"), 2);
    QCOMPARE(m_pty->read(2), QByteArray("ok"));
}

void tst_SerialBackend::breakLeavesTheLineUsable()
{
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    port.setFlowControl(2);
    port.setBreak(true);
    port.setBreak(false);
    QVERIFY(port.isOpen());
    QCOMPARE(port.lineErrors(), 0);
    QCOMPARE(port.write("after"), 5);
    QCOMPARE(m_pty->read(5), QByteArray("after"));
}

void tst_SerialBackend::portNamesReachTheDevice_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("full path") << "%1";
    QTest::newRow("short name") << "%2";
    QTest::newRow("list entry") << "%2\tPseudo-terminal";
}

void tst_SerialBackend::portNamesReachTheDevice()
{
    QFETCH(QString, form);
    const QString shortName = m_pty->path().mid(5); // "pts/N"
    QString name = QString(form)
                       .replace(QLatin1String("%1"), m_pty->path())
                       .replace(QLatin1String("%2"), shortName);
    SystemPorts ports;
    POSPrinter printer(ports);
    QCOMPARE(printer.OpenPort(name, defaultMode), qint16(1));
    printer.SetFlowControl(0);
    QCOMPARE(printer.WriteData("hi", 2), qint16(1));
    QCOMPARE(printer.BytesWritten(), 2);
    QCOMPARE(m_pty->read(2), QByteArray("hi"));
}

void tst_SerialBackend::portsThatCannotOpenRefuseEverything_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("reason");
    QTest::newRow("None") << "None" << defaultMode << "no port chosen";
    QTest::newRow("empty") << "" << defaultMode << "no port chosen";
    QTest::newRow("missing device") << "/dev/ttyNoSuchPort7" << defaultMode << "ttyNoSuchPort7";
    QTest::newRow("unusable mode") << "PTY"
                                   << "baud=fast parity=N data=8 stop=1"
                                   << "\"baud=fast parity=N data=8 stop=1\" cannot be used";
    QTest::newRow("nine data bits") << "PTY"
                                    << "baud=9600 parity=N data=9 stop=1"
                                    << "data=9";
}

void tst_SerialBackend::portsThatCannotOpenRefuseEverything()
{
    QFETCH(QString, portName);
    QFETCH(QString, mode);
    QFETCH(QString, reason);
    if (portName == QLatin1String("PTY"))
        portName = m_pty->path();
    SystemPorts ports;
    POSPrinter printer(ports);
    QCOMPARE(printer.OpenPort(portName, mode), qint16(0));
    QVERIFY2(printer.lastOpenError().contains(reason), qPrintable(printer.lastOpenError()));
    printer.SetFlowControl(0);
    QCOMPARE(printer.WriteData("AB", 2), qint16(0));
    QCOMPARE(printer.BytesWritten(), 0);
    QCOMPARE(printer.ReadData(1), QByteArray());
    printer.SetBreak(1, QStringLiteral(" "));
    QCOMPARE(printer.ClosePort(), qint16(1));
}

void tst_SerialBackend::stalledLineGivesPartialAcceptance_data()
{
    QTest::addColumn<bool>("xoff");
    QTest::newRow("far end not reading") << false;
    QTest::newRow("far end sent XOFF") << true;
}

void tst_SerialBackend::stalledLineGivesPartialAcceptance()
{
    QFETCH(bool, xoff);
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    port.setFlowControl(xoff ? 1 : 0);
    if (xoff) {
        QVERIFY(m_pty->write("\x13"));
        // XOFF takes effect once the line discipline has seen it.
        const QDeadlineTimer deadline(5000);
        while (port.write("z") == 1 && !deadline.hasExpired())
            m_pty->drain();
        QCOMPARE(port.write("held"), 0);
    } else {
        const QByteArray big(1024 * 1024, 'x');
        const qint64 taken = port.write(big);
        QVERIFY(taken > 0);
        QVERIFY(taken < big.size());
        fillLine(port);
        QCOMPARE(port.write("full"), 0);
    }
    QVERIFY(port.isOpen());
    QCOMPARE(port.lineErrors(), 0);

    // Once the far end reads again (or sends XON) the line takes bytes again.
    if (xoff)
        QVERIFY(m_pty->write("\x11"));
    m_pty->drain();
    const QDeadlineTimer deadline(5000);
    qint64 taken = 0;
    while (taken == 0 && !deadline.hasExpired()) {
        m_pty->drain();
        taken = port.write("go");
    }
    QCOMPARE(taken, 2);
}

void tst_SerialBackend::hangUpClosesThePortOnce_data()
{
    QTest::addColumn<QString>("noticedBy");
    QTest::newRow("a write") << "write";
    QTest::newRow("a read") << "read";
    QTest::newRow("the event loop") << "events";
}

void tst_SerialBackend::hangUpClosesThePortOnce()
{
    QFETCH(QString, noticedBy);
    SerialBackend port(m_pty->path());
    QVERIFY(port.open(defaultMode));
    port.setFlowControl(0);
    m_pty->close();

    if (noticedBy == QLatin1String("write")) {
        QCOMPARE(port.write("lost"), 0);
    } else if (noticedBy == QLatin1String("read")) {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(port.read(1, 1000, 100), QByteArray());
        qDebug("read on a hung-up line returned after %lld ms", clock.elapsed());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!port.isOpen(), 5000);
    }
    QVERIFY(!port.isOpen());
    QCOMPARE(port.lineErrors(), 1);
    QVERIFY(!port.errorText().isEmpty());
    // Nothing more is reported while closed, however long events run.
    QCoreApplication::processEvents();
    QCOMPARE(port.write("later"), 0);
    QCOMPARE(port.read(1, 10, 10), QByteArray());
    QCOMPARE(port.lineErrors(), 1);
    QVERIFY(!port.open(defaultMode));
}

QTEST_GUILESS_MAIN(tst_SerialBackend)
#include "tst_serialbackend.moc"
