#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// A Corvane printer in software: consumes the bytes a host writes, answers its queries,
// keeps its macros and prints onto a paper record. Bytes in, answers and paper out; it
// owns no port and never waits. It does not interpret print commands: the paper text drops
// control bytes and the byte after ESC, FS or GS, so printable parameters may show.
class VirtualPrinter : public QObject
{
    Q_OBJECT
public:
    enum class Store { User, Extended };
    struct Macro
    {
        QByteArray name;
        QByteArray data;
        Store store = Store::User;
    };

    static constexpr qsizetype MaxNameLength = 255;
    // The paper keeps at most this many bytes of each record; older ones are torn off.
    static constexpr qsizetype PaperLimit = 1 << 20;

    explicit VirtualPrinter(QObject *parent = nullptr);

    // Bytes from the host, split anywhere.
    void receive(const QByteArray &bytes);

    QString model() const { return m_model; }
    void setModel(const QString &model) { m_model = model; }
    bool hasExtendedStore() const { return m_model == QLatin1String("CV4700"); }

    bool coverOpen() const { return m_coverOpen; }
    void setCoverOpen(bool open);
    bool paperLow() const { return m_paperLow; }
    void setPaperLow(bool low);
    bool paperOut() const { return m_paperOut; }
    void setPaperOut(bool out);
    // Drawer 1 or 2.
    bool drawerOpen(int drawer) const;
    void setDrawerOpen(int drawer, bool open);
    // Data waits in the buffer while the cover is open or the paper is out.
    bool bufferEmpty() const { return m_held.isEmpty(); }
    bool powerCycled() const { return m_powerCycled; }
    bool recording() const { return m_recording; }

    const QList<Macro> &macros() const { return m_macros; }
    // The printable bytes and line feeds that reached the paper.
    const QByteArray &paperText() const { return m_paperText; }
    // Every byte that reached the paper, control sequences included.
    const QByteArray &paperRaw() const { return m_paperRaw; }

Q_SIGNALS:
    // One answer, to go out to the host in one write.
    void answered(const QByteArray &answer);
    // Bytes that reached the paper: all of them, and the printable text among them.
    void printed(const QByteArray &raw, const QByteArray &text);
    // A short description of each command carried out, for a trace.
    void commandUnderstood(const QString &description);
    // The cover, paper, drawers or buffer changed.
    void stateChanged();

private:
    enum class Parse { Idle, Enq, Esc, EscG, EscUs, Argument };

    void take(char byte);
    void query(quint8 item);
    void statusQuery(quint8 item);
    void macroCommand(char letter, const QByteArray &argument);
    void recordControl(char action);
    void endRecording(const QByteArray &name);
    void storeMacro(const QByteArray &name, const QByteArray &data);
    void data(const QByteArray &bytes);
    void flushPrint();
    void print(const QByteArray &bytes);
    void feedPaper(const QByteArray &bytes);
    void releaseHeld();
    void reset();
    QByteArray directory() const;
    const Macro *findMacro(const QByteArray &name) const;
    void understood(const QString &description);

    QString m_model = QStringLiteral("CV4200");
    bool m_coverOpen = false;
    bool m_paperLow = false;
    bool m_paperOut = false;
    bool m_drawer1Open = false;
    bool m_drawer2Open = false;
    bool m_powerCycled = true;

    Parse m_state = Parse::Idle;
    QByteArray m_command; // the bytes of the command being read
    char m_letter = 0;

    bool m_recording = false;
    bool m_recordPrinting = false;
    QByteArray m_recorded;
    // A printing recording that has ended and waits for its name.
    bool m_awaitingName = false;

    QList<Macro> m_macros;
    QByteArray m_printRun; // data of this write not yet printed
    QByteArray m_held;
    bool m_skipNext = false; // the byte after ESC, FS or GS belongs to a control sequence
    QByteArray m_paperText;
    QByteArray m_paperRaw;
};
