#include "sim/VirtualPrinter.h"

namespace {

constexpr char ENQ = 0x05;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char ESC = 0x1B;
constexpr char US = 0x1F;

// Letters of the ESC US commands that take an argument ended by NUL.
bool isMacroLetter(char c)
{
    return QByteArrayView("bdefmqrt").contains(c);
}

bool isStatusItem(quint8 item)
{
    return (item >= 0x01 && item <= 0x04) || (item >= 0x08 && item <= 0x0B);
}

bool isPrintable(quint8 byte)
{
    return (byte >= 0x20 && byte < 0x7F) || byte >= 0xA0;
}

QString quoted(const QByteArray &name)
{
    return QLatin1Char('"') + QString::fromLatin1(name) + QLatin1Char('"');
}

} // namespace

VirtualPrinter::VirtualPrinter(QObject *parent)
    : QObject(parent)
{
}

void VirtualPrinter::setCoverOpen(bool open)
{
    m_coverOpen = open;
    releaseHeld();
    Q_EMIT stateChanged();
}

void VirtualPrinter::setPaperLow(bool low)
{
    m_paperLow = low;
    Q_EMIT stateChanged();
}

void VirtualPrinter::setPaperOut(bool out)
{
    m_paperOut = out;
    releaseHeld();
    Q_EMIT stateChanged();
}

bool VirtualPrinter::drawerOpen(int drawer) const
{
    return drawer == 1 ? m_drawer1Open : drawer == 2 && m_drawer2Open;
}

void VirtualPrinter::setDrawerOpen(int drawer, bool open)
{
    if (drawer == 1)
        m_drawer1Open = open;
    else if (drawer == 2)
        m_drawer2Open = open;
    Q_EMIT stateChanged();
}

void VirtualPrinter::receive(const QByteArray &bytes)
{
    for (const char byte : bytes)
        take(byte);
    flushPrint();
}

// One byte through the command recogniser. Bytes that turn out not to start a command the
// printer knows go on as data, exactly as they came.
void VirtualPrinter::take(char byte)
{
    switch (m_state) {
    case Parse::Idle:
        if (byte == ENQ || byte == ESC) {
            m_command = QByteArray(1, byte);
            m_state = byte == ENQ ? Parse::Enq : Parse::Esc;
        } else {
            data(QByteArray(1, byte));
        }
        return;
    case Parse::Enq:
        m_state = Parse::Idle;
        if (quint8(byte) == 0x15 || quint8(byte) == 0x17 || isStatusItem(quint8(byte)))
            query(quint8(byte));
        else
            data(m_command + byte);
        return;
    case Parse::Esc:
        if (byte == US) {
            m_command += byte;
            m_state = Parse::EscUs;
        } else if (byte == 'g') {
            m_command += byte;
            m_state = Parse::EscG;
        } else {
            m_state = Parse::Idle;
            data(m_command + byte);
        }
        return;
    case Parse::EscG:
        m_state = Parse::Idle;
        if (byte == 0x01 || byte == 0x02)
            recordControl(byte);
        else
            data(m_command + byte);
        return;
    case Parse::EscUs:
        if (isMacroLetter(byte)) {
            m_command += byte;
            m_letter = byte;
            m_state = Parse::Argument;
        } else {
            m_state = Parse::Idle;
            data(m_command + byte);
        }
        return;
    case Parse::Argument:
        if (byte == 0) {
            m_state = Parse::Idle;
            macroCommand(m_letter, m_command.mid(3));
            return;
        }
        m_command += byte;
        // A name that never ends was not a command after all: print what came.
        if (m_command.size() - 3 > MaxNameLength) {
            m_state = Parse::Idle;
            data(m_command);
        }
        return;
    }
}

void VirtualPrinter::query(quint8 item)
{
    flushPrint();
    if (item == 0x15) {
        understood(QStringLiteral("product query: ") + m_model);
        Q_EMIT answered("ID CMD:" + m_model.toLatin1() + " FW1.07\r");
    } else if (item == 0x17) {
        understood(QStringLiteral("macro directory query: %1 macros").arg(m_macros.size()));
        Q_EMIT answered("\r\n" + directory());
    } else {
        statusQuery(item);
    }
}

void VirtualPrinter::statusQuery(quint8 item)
{
    bool good = true;
    switch (item) {
    case 0x01:
        good = !m_drawer1Open;
        break;
    case 0x02:
        good = !m_drawer2Open;
        break;
    case 0x03:
        // The near-end sensor sees no paper either once the roll has run out.
        good = !m_paperLow && !m_paperOut;
        break;
    case 0x04:
        good = !m_paperOut;
        break;
    case 0x08:
        good = !m_coverOpen;
        break;
    case 0x09:
        good = m_held.isEmpty();
        break;
    case 0x0A:
        // The mechanism cannot restart with the cover open.
        good = !m_coverOpen;
        if (good)
            reset();
        break;
    case 0x0B:
        // Reported once: the flag clears when the host has been told.
        good = m_powerCycled;
        m_powerCycled = false;
        break;
    }
    understood(QStringLiteral("status query %1: %2")
                   .arg(item, 2, 16, QLatin1Char('0'))
                   .arg(good ? QLatin1String("ACK") : QLatin1String("NAK")));
    Q_EMIT answered(QByteArray(1, good ? ACK : NAK) + char(item));
}

void VirtualPrinter::macroCommand(char letter, const QByteArray &argument)
{
    flushPrint();
    switch (letter) {
    case 'b':
        understood(QStringLiteral("start silent recording ") + quoted(argument));
        m_recording = true;
        m_recordPrinting = false;
        m_awaitingName = false;
        m_recorded.clear();
        return;
    case 'e':
        if (!m_recording) {
            understood(QStringLiteral("end recording: none active"));
            return;
        }
        understood(QStringLiteral("end recording ") + quoted(argument));
        m_recording = false;
        storeMacro(argument, m_recorded);
        return;
    case 'm':
        if (!m_awaitingName) {
            understood(QStringLiteral("name recording: none ended"));
            return;
        }
        understood(QStringLiteral("name recording ") + quoted(argument));
        m_awaitingName = false;
        storeMacro(argument, m_recorded);
        return;
    case 'r':
        if (const Macro *macro = findMacro(argument)) {
            understood(QStringLiteral("play ") + quoted(argument));
            print(macro->data);
        } else {
            understood(QStringLiteral("play ") + quoted(argument) + QLatin1String(": not stored"));
        }
        return;
    case 'd': {
        const auto removed = m_macros.removeIf(
            [&](const Macro &m) { return m.store == Store::User && m.name == argument; });
        understood(QStringLiteral("remove ") + quoted(argument) +
                   (removed ? QString() : QStringLiteral(": not in the User Store")));
        return;
    }
    case 'q':
        understood(QStringLiteral("print directory"));
        print("Size   Type   Name\r\n" + directory());
        return;
    case 'f':
        if (!hasExtendedStore() || argument != "EXT") {
            understood(QStringLiteral("clear Extended Store: ignored"));
            return;
        }
        understood(QStringLiteral("clear Extended Store"));
        m_macros.removeIf([](const Macro &m) { return m.store == Store::Extended; });
        return;
    case 't':
        if (!hasExtendedStore()) {
            understood(QStringLiteral("transfer to Extended Store: ignored"));
            return;
        }
        understood(QStringLiteral("transfer User Store to Extended Store"));
        // Transferred macros replace Extended Store macros of the same name.
        QList<QByteArray> names;
        for (const Macro &m : std::as_const(m_macros)) {
            if (m.store == Store::User)
                names.append(m.name);
        }
        m_macros.removeIf(
            [&](const Macro &m) { return m.store == Store::Extended && names.contains(m.name); });
        for (Macro &m : m_macros)
            m.store = Store::Extended;
        return;
    }
}

void VirtualPrinter::recordControl(char action)
{
    flushPrint();
    if (action == 0x01) {
        understood(QStringLiteral("start printing recording"));
        m_recording = true;
        m_recordPrinting = true;
        m_awaitingName = false;
        m_recorded.clear();
    } else if (m_recording) {
        understood(QStringLiteral("end printing recording"));
        m_recording = false;
        m_awaitingName = true;
    } else {
        understood(QStringLiteral("end printing recording: none active"));
    }
}

void VirtualPrinter::storeMacro(const QByteArray &name, const QByteArray &data)
{
    m_macros.removeIf([&](const Macro &m) { return m.store == Store::User && m.name == name; });
    m_macros.append({name, data, Store::User});
    m_recorded.clear();
}

void VirtualPrinter::data(const QByteArray &bytes)
{
    if (m_recording) {
        m_recorded += bytes;
        if (!m_recordPrinting)
            return;
    }
    // Printed in runs rather than byte by byte; a command prints what came before it first.
    m_printRun += bytes;
}

void VirtualPrinter::flushPrint()
{
    if (!m_printRun.isEmpty())
        print(std::exchange(m_printRun, {}));
}

void VirtualPrinter::print(const QByteArray &bytes)
{
    if (m_coverOpen || m_paperOut) {
        const bool wasEmpty = m_held.isEmpty();
        m_held += bytes;
        if (wasEmpty && !m_held.isEmpty())
            Q_EMIT stateChanged();
        return;
    }
    feedPaper(bytes);
}

void VirtualPrinter::feedPaper(const QByteArray &bytes)
{
    QByteArray text;
    for (const char byte : bytes) {
        const quint8 b = quint8(byte);
        if (m_skipNext)
            m_skipNext = false;
        else if (b == 0x1B || b == 0x1C || b == 0x1D)
            m_skipNext = true;
        else if (b == '\n' || isPrintable(b))
            text += byte;
    }
    m_paperRaw += bytes;
    m_paperText += text;
    if (m_paperRaw.size() > PaperLimit)
        m_paperRaw.remove(0, m_paperRaw.size() - PaperLimit / 2);
    if (m_paperText.size() > PaperLimit)
        m_paperText.remove(0, m_paperText.size() - PaperLimit / 2);
    Q_EMIT printed(bytes, text);
}

void VirtualPrinter::releaseHeld()
{
    if (m_coverOpen || m_paperOut || m_held.isEmpty())
        return;
    const QByteArray held = std::exchange(m_held, {});
    feedPaper(held);
}

// A reset is a restart without the power going off: the buffer and any unfinished
// recording are dropped, and the printer reports itself as freshly started.
void VirtualPrinter::reset()
{
    m_held.clear();
    m_skipNext = false;
    m_recording = false;
    m_awaitingName = false;
    m_recorded.clear();
    m_powerCycled = true;
    Q_EMIT stateChanged();
}

QByteArray VirtualPrinter::directory() const
{
    QByteArray listing;
    for (const Macro &m : m_macros) {
        const QString line = QStringLiteral("%1 %2 ")
                                 .arg(m.data.size(), -6)
                                 .arg(m.store == Store::User ? QChar(u'U') : QChar(u'E'), -6);
        listing += line.toLatin1() + m.name + "\r\n";
    }
    return listing;
}

const VirtualPrinter::Macro *VirtualPrinter::findMacro(const QByteArray &name) const
{
    for (const Store store : {Store::User, Store::Extended}) {
        for (const Macro &m : m_macros) {
            if (m.store == store && m.name == name)
                return &m;
        }
    }
    return nullptr;
}

void VirtualPrinter::understood(const QString &description)
{
    Q_EMIT commandUnderstood(description);
}
