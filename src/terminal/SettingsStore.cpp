#include "terminal/SettingsStore.h"

#include "terminal/Terminal.h"

#include <QSettings>

#include <cmath>

namespace {

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Terminal"),
                     QStringLiteral("Terminal"));
}

QString historyKey(const char *prefix, int index)
{
    return QLatin1String(prefix) + QChar(u'A' + index);
}

// A value that is not a number, or one so large that no screen or mode has it, gives the
// default.
double readNumber(const QSettings &store, const QString &key, double fallback)
{
    bool ok = false;
    const double value = store.value(key).toString().trimmed().toDouble(&ok);
    return ok && qIsFinite(value) && qAbs(value) <= 1e9 ? value : fallback;
}

QStringList readHistory(const QSettings &store, const char *prefix)
{
    QStringList list;
    for (int i = 0; i < SettingsStore::HistoryKeys; ++i) {
        const QString value = store.value(historyKey(prefix, i)).toString();
        if (!value.isEmpty())
            list.append(value);
    }
    return list;
}

void writeHistory(QSettings &store, const char *prefix, const QStringList &list)
{
    for (int i = 0; i < SettingsStore::HistoryKeys; ++i) {
        if (i < list.size())
            store.setValue(historyKey(prefix, i), list.at(i));
        else
            store.remove(historyKey(prefix, i));
    }
}

// Rounds as the conversion to a 16-bit integer does, halves to even; a stored flow mode
// outside the 16-bit range gives the default, hardware.
qint16 roundFlow(double value)
{
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return 2;
    return static_cast<qint16>(rounded);
}

} // namespace

QPointF SettingsStore::load(Terminal &terminal)
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Settings"));
    const QPointF position(readNumber(store, QStringLiteral("MainLeft"), 100),
                           readNumber(store, QStringLiteral("MainTop"), 100));
    PortSettings &s = terminal.Settings;
    s.IOPort = store.value(QStringLiteral("IOPort"), QStringLiteral("None")).toString();
    s.BaudRate = store.value(QStringLiteral("BaudRate"), QStringLiteral("19200")).toString();
    s.Parity = store.value(QStringLiteral("Parity"), QStringLiteral("N")).toString();
    s.Bits = store.value(QStringLiteral("Bits"), QStringLiteral("8")).toString();
    s.StopBits = store.value(QStringLiteral("StopBits"), QStringLiteral("1")).toString();
    const double flow = readNumber(store, QStringLiteral("Flow"), 2);
    s.Flow = roundFlow(flow);
    terminal.input().commandHistory = readHistory(store, "Commands");
    terminal.input().scriptHistory = readHistory(store, "Scripts");
    return position;
}

void SettingsStore::save(const Terminal &terminal, QPointF positionTwips)
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Settings"));
    store.setValue(QStringLiteral("MainLeft"), QString::number(positionTwips.x()));
    store.setValue(QStringLiteral("MainTop"), QString::number(positionTwips.y()));
    const PortSettings &s = terminal.Settings;
    store.setValue(QStringLiteral("IOPort"), s.IOPort);
    store.setValue(QStringLiteral("BaudRate"), s.BaudRate);
    store.setValue(QStringLiteral("Parity"), s.Parity);
    store.setValue(QStringLiteral("Bits"), s.Bits);
    store.setValue(QStringLiteral("StopBits"), s.StopBits);
    store.setValue(QStringLiteral("Flow"), QString::number(s.Flow));
    writeHistory(store, "Commands", terminal.controls().commandHistory);
    writeHistory(store, "Scripts", terminal.controls().scriptHistory);
}
