#include "sim/VirtualPrinter.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A printer with everything it says collected.
struct Bench
{
    explicit Bench(const QString &model = QStringLiteral("CV4200"))
    {
        printer.setModel(model);
        QObject::connect(&printer, &VirtualPrinter::answered, &printer,
                         [this](const QByteArray &a) { answers.append(a); });
    }
    QByteArray ask(const QByteArray &bytes)
    {
        answers.clear();
        printer.receive(bytes);
        return answers.join();
    }
    QByteArray directory() { return ask("\x05\x17"); }

    VirtualPrinter printer;
    QList<QByteArray> answers;
};

QByteArray macroCommand(char letter, const QByteArray &name)
{
    return QByteArray("\x1b\x1f") + letter + name + '\0';
}

// The model name as the terminal's product check takes it from an answer.
QString modelIn(const QByteArray &answer)
{
    if (answer.size() <= 10)
        return {};
    const qsizetype cmd = answer.indexOf("CMD");
    const qsizetype j = cmd < 0 ? answer.size() : cmd + 4;
    if (j >= answer.size())
        return {};
    return QString::fromLatin1(answer.mid(j, 6));
}

} // namespace

// The virtual printer's answers, its macros, its Extended Store and its paper.
class tst_VirtualPrinter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusQueryFollowsTheState_data();
    void statusQueryFollowsTheState();
    void powerCycledIsReportedOnceAndAgainAfterAReset();
    void productQueryNamesTheModel_data();
    void productQueryNamesTheModel();
    void aStreamSplitAnywhereActsAsAWhole();
    void silentRecordingThenPlayThenRemove();
    void printingRecordingPrintsAndIsNamedAfterwards();
    void recordingKeepsTheBytesExactlyAsReceived();
    void extendedStoreOnlyOnTheCV4700_data();
    void extendedStoreOnlyOnTheCV4700();
    void directoryCanBePrinted();
    void paperShowsTextAndLineFeedsAndKeepsTheRest();
    void printingWaitsWhileTheCoverIsOpenOrPaperOut();
    void aNameThatNeverEndsIsPrintedNotSwallowed();
    void paperRecordStaysBounded();
};

void tst_VirtualPrinter::statusQueryFollowsTheState_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<quint8>("item");
    QTest::addColumn<bool>("ack");
    const struct
    {
        const char *row;
        const char *condition;
        quint8 item;
        bool ack;
    } rows[] = {
        {"drawer 1 closed", "", 0x01, true},
        {"drawer 1 open", "drawer1", 0x01, false},
        {"drawer 2 closed", "drawer1", 0x02, true},
        {"drawer 2 open", "drawer2", 0x02, false},
        {"paper present is not low", "", 0x03, true},
        {"paper low", "low", 0x03, false},
        {"paper out is low too", "out", 0x03, false},
        {"paper present", "low", 0x04, true},
        {"paper out", "out", 0x04, false},
        {"cover closed", "drawer1 drawer2 low", 0x08, true},
        {"cover open", "cover", 0x08, false},
        {"buffer empty with the cover open", "cover", 0x09, true},
        {"buffer holds what could not print", "cover print", 0x09, false},
        {"reset accepted", "print", 0x0A, true},
        {"reset rejected with the cover open", "cover", 0x0A, false},
        {"power cycled at start", "", 0x0B, true},
    };
    for (const auto &r : rows)
        QTest::newRow(r.row) << QString::fromLatin1(r.condition) << r.item << r.ack;
}

void tst_VirtualPrinter::statusQueryFollowsTheState()
{
    QFETCH(QString, condition);
    QFETCH(quint8, item);
    QFETCH(bool, ack);
    Bench b;
    const QStringList c = condition.split(QLatin1Char(' '));
    b.printer.setDrawerOpen(1, c.contains(QLatin1String("drawer1")));
    b.printer.setDrawerOpen(2, c.contains(QLatin1String("drawer2")));
    b.printer.setPaperLow(c.contains(QLatin1String("low")));
    b.printer.setPaperOut(c.contains(QLatin1String("out")));
    b.printer.setCoverOpen(c.contains(QLatin1String("cover")));
    if (c.contains(QLatin1String("print")))
        b.printer.receive("Receipt\n");
    b.answers.clear();
    b.printer.receive(QByteArray(1, 0x05) + char(item));
    QCOMPARE(b.answers, QList<QByteArray>{QByteArray(1, ack ? 0x06 : 0x15) + char(item)});
}

void tst_VirtualPrinter::powerCycledIsReportedOnceAndAgainAfterAReset()
{
    Bench b;
    QCOMPARE(b.ask("\x05\x0b"), QByteArray("\x06\x0b"));
    QCOMPARE(b.ask("\x05\x0b"), QByteArray("\x15\x0b"));
    QCOMPARE(b.ask("\x05\x0a"), QByteArray("\x06\x0a"));
    QCOMPARE(b.ask("\x05\x0b"), QByteArray("\x06\x0b"));
}

void tst_VirtualPrinter::productQueryNamesTheModel_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("CV4200") << "CV4200"
                            << "CV4200";
    QTest::newRow("CV4700") << "CV4700"
                            << "CV4700";
    QTest::newRow("R615DX") << "R615DX"
                            << "R615DX";
    QTest::newRow("incompatible") << "TX88"
                                  << "TX88 F";
}

void tst_VirtualPrinter::productQueryNamesTheModel()
{
    QFETCH(QString, model);
    QFETCH(QString, parsed);
    Bench b(model);
    b.printer.receive("\x05\x15");
    QCOMPARE(b.answers.size(), 1);
    const QByteArray answer = b.answers.first();
    QVERIFY2(answer.size() > 10, answer.constData());
    QVERIFY(!answer.startsWith("CMD"));
    QVERIFY(!answer.endsWith(model.toLatin1()));
    QCOMPARE(modelIn(answer), parsed);
    QVERIFY(b.printer.paperRaw().isEmpty());
}

void tst_VirtualPrinter::aStreamSplitAnywhereActsAsAWhole()
{
    const QByteArray stream = macroCommand('b', "Demo") +
                              "Hi\x1b"
                              "a\x01\n" +
                              "\x05\x08" + macroCommand('e', "Demo") + "\x05\x15" +
                              "\x1bg\x01Lo\x1bg\x02" + macroCommand('m', "Two") +
                              macroCommand('r', "Demo") + "\x05\x17";
    Bench whole;
    whole.printer.receive(stream);
    QCOMPARE(whole.answers.size(), 3);
    QCOMPARE(whole.printer.macros().size(), 2);

    for (qsizetype cut = 1; cut < stream.size(); ++cut) {
        Bench split;
        split.printer.receive(stream.left(cut));
        split.printer.receive(stream.mid(cut));
        QCOMPARE(split.answers, whole.answers);
        QCOMPARE(split.printer.paperRaw(), whole.printer.paperRaw());
        QCOMPARE(split.printer.macros().last().data, whole.printer.macros().last().data);
    }
    Bench bytewise;
    for (const char c : stream)
        bytewise.printer.receive(QByteArray(1, c));
    QCOMPARE(bytewise.answers, whole.answers);
    QCOMPARE(bytewise.printer.paperText(), QByteArray("LoHi\n"));
}

void tst_VirtualPrinter::silentRecordingThenPlayThenRemove()
{
    Bench b;
    b.printer.receive(macroCommand('b', "Demo") + "Hello\nWorld\n" + macroCommand('e', "Demo"));
    QVERIFY(b.printer.paperRaw().isEmpty());
    QVERIFY(!b.printer.recording());
    QCOMPARE(b.directory(), QByteArray("\r\n12     U      Demo\r\n"));

    b.printer.receive(macroCommand('r', "Demo"));
    b.printer.receive(macroCommand('r', "Demo"));
    QCOMPARE(b.printer.paperText(), QByteArray("Hello\nWorld\nHello\nWorld\n"));

    b.printer.receive(macroCommand('r', "demo") + macroCommand('d', "Other"));
    QCOMPARE(b.printer.macros().size(), 1);
    b.printer.receive(macroCommand('d', "Demo"));
    QCOMPARE(b.directory(), QByteArray("\r\n"));
    b.printer.receive(macroCommand('r', "Demo"));
    QCOMPARE(b.printer.paperText().size(), 24);
}

void tst_VirtualPrinter::printingRecordingPrintsAndIsNamedAfterwards()
{
    Bench b;
    b.printer.receive("\x1bg\x01Logo\n\x1bg\x02");
    QCOMPARE(b.printer.paperText(), QByteArray("Logo\n"));
    QVERIFY(b.printer.macros().isEmpty());
    b.printer.receive(macroCommand('m', "Logo"));
    QCOMPARE(b.directory(), QByteArray("\r\n5      U      Logo\r\n"));

    // Started silently, ended the printing way, and recorded again under the same name.
    b.printer.receive(macroCommand('b', "Logo") + "New\n" + "\x1bg\x02" +
                      macroCommand('m', "Logo"));
    QCOMPARE(b.printer.macros().size(), 1);
    QCOMPARE(b.printer.macros().first().data, QByteArray("New\n"));
    // A name with no recording ended before it stores nothing.
    b.printer.receive(macroCommand('m', "Stray"));
    QCOMPARE(b.printer.macros().size(), 1);
}

void tst_VirtualPrinter::recordingKeepsTheBytesExactlyAsReceived()
{
    // Control sequences, NUL, bytes above 127, and near-commands the printer does not know.
    const QByteArray body("\x1b\x61\x01\x00\xff\x05\x00\x1b\x1fz\x1bg\x03\x0d\x0a", 15);
    Bench b;
    b.printer.receive(macroCommand('b', "Raw") + body + "\x05\x08" + macroCommand('e', "Raw"));
    QCOMPARE(b.answers, QList<QByteArray>{"\x06\x08"});
    QCOMPARE(b.printer.macros().first().data, body);
    b.printer.receive(macroCommand('r', "Raw"));
    QCOMPARE(b.printer.paperRaw(), body);
}

void tst_VirtualPrinter::extendedStoreOnlyOnTheCV4700_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("afterTransfer");
    QTest::addColumn<QByteArray>("afterRemove");
    QTest::addColumn<QByteArray>("afterClear");
    const QByteArray ext("\r\n2      E      A\r\n2      E      B\r\n");
    QTest::newRow("CV4700") << "CV4700" << ext << ext << QByteArray("\r\n");
    QTest::newRow("CV4200") << "CV4200" << QByteArray("\r\n2      U      A\r\n2      U      B\r\n")
                            << QByteArray("\r\n2      U      B\r\n")
                            << QByteArray("\r\n2      U      B\r\n");
}

void tst_VirtualPrinter::extendedStoreOnlyOnTheCV4700()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, afterTransfer);
    QFETCH(QByteArray, afterRemove);
    QFETCH(QByteArray, afterClear);
    Bench b(model);
    b.printer.receive(macroCommand('b', "A") + "a\n" + macroCommand('e', "A"));
    b.printer.receive(macroCommand('b', "B") + "b\n" + macroCommand('e', "B"));
    b.printer.receive(QByteArray("\x1b\x1f\x74\0", 4));
    QCOMPARE(b.directory(), afterTransfer);

    // A User Store macro goes before an Extended Store one of the same name, and Remove
    // takes only the User Store one.
    b.printer.receive(macroCommand('b', "A") + "new\n" + macroCommand('e', "A"));
    b.printer.receive(macroCommand('r', "A") + macroCommand('r', "B"));
    QCOMPARE(b.printer.paperText(), QByteArray("new\nb\n"));
    b.printer.receive(macroCommand('d', "A"));
    QCOMPARE(b.directory(), afterRemove);

    b.printer.receive(macroCommand('f', "ext") + macroCommand('f', ""));
    QCOMPARE(b.directory(), afterRemove);
    b.printer.receive(macroCommand('f', "EXT"));
    QCOMPARE(b.directory(), afterClear);
    QCOMPARE(b.printer.paperText(), QByteArray("new\nb\n"));
}

void tst_VirtualPrinter::directoryCanBePrinted()
{
    Bench b;
    b.printer.receive(macroCommand('b', "Demo") + "Hi" + macroCommand('e', "Demo"));
    b.printer.receive(macroCommand('q', "Demo"));
    QCOMPARE(b.printer.paperText(), QByteArray("Size   Type   Name\n2      U      Demo\n"));
    QVERIFY(b.answers.isEmpty());
}

void tst_VirtualPrinter::paperShowsTextAndLineFeedsAndKeepsTheRest()
{
    Bench b;
    QSignalSpy printed(&b.printer, &VirtualPrinter::printed);
    const QByteArray bytes("A\x1b"
                           "E\x01"
                           "B\r\nC\x07\x1d"
                           "V\x01\xe9\x85\x7f\n");
    b.printer.receive(bytes);
    QCOMPARE(b.printer.paperText(), QByteArray("AB\nC\xe9\n"));
    QCOMPARE(b.printer.paperRaw(), bytes);
    QCOMPARE(printed.size(), 1);
}

void tst_VirtualPrinter::printingWaitsWhileTheCoverIsOpenOrPaperOut()
{
    Bench b;
    b.printer.setCoverOpen(true);
    b.printer.receive("one\n");
    b.printer.setPaperOut(true);
    b.printer.receive("two\n");
    b.printer.setCoverOpen(false);
    QVERIFY(b.printer.paperRaw().isEmpty());
    QVERIFY(!b.printer.bufferEmpty());
    b.printer.setPaperOut(false);
    QCOMPARE(b.printer.paperText(), QByteArray("one\ntwo\n"));
    QCOMPARE(b.ask("\x05\x09"), QByteArray("\x06\x09"));
}

void tst_VirtualPrinter::aNameThatNeverEndsIsPrintedNotSwallowed()
{
    Bench b;
    const QByteArray name(VirtualPrinter::MaxNameLength + 1, 'x');
    b.printer.receive("\x1b\x1fr" + name + "\n\x05\x08");
    QCOMPARE(b.printer.paperRaw(), "\x1b\x1fr" + name + "\n");
    QCOMPARE(b.answers, QList<QByteArray>{"\x06\x08"});
}

void tst_VirtualPrinter::paperRecordStaysBounded()
{
    Bench b;
    const QByteArray line = QByteArray(63, 'x') + '\n';
    for (int i = 0; i < 2 * VirtualPrinter::PaperLimit / line.size(); ++i)
        b.printer.receive(line);
    QVERIFY(b.printer.paperText().size() <= VirtualPrinter::PaperLimit);
    QVERIFY(b.printer.paperText().size() >= VirtualPrinter::PaperLimit / 2);
    QVERIFY(b.printer.paperText().endsWith(line));
}

QTEST_GUILESS_MAIN(tst_VirtualPrinter)
#include "tst_virtualprinter.moc"
