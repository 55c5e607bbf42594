#include "link/PortSettingsForm.h"

#include "terminal/Operator.h"
#include "terminal/Terminal.h"

#include <array>

namespace {

using Group = PortSettingsForm::Group;

constexpr std::array<PortSettingsForm::Option, 17> optionTable{{
    {"Baud48", Group::BaudRate, "4800"},
    {"Baud96", Group::BaudRate, "9600"},
    {"Baud192", Group::BaudRate, "19200"},
    {"Baud384", Group::BaudRate, "38400"},
    {"Baud576", Group::BaudRate, "57600"},
    {"Baud24", Group::BaudRate, "115200"},
    {"Baud230", Group::BaudRate, "230400"},
    {"NoParity", Group::Parity, "N"},
    {"OddParity", Group::Parity, "O"},
    {"EvenParity", Group::Parity, "E"},
    {"Data7", Group::Bits, "7"},
    {"Data8", Group::Bits, "8"},
    {"Stop1", Group::StopBits, "1"},
    {"Stop2", Group::StopBits, "2"},
    {"NoFlow", Group::Flow, "0"},
    {"XonFlow", Group::Flow, "1"},
    {"Hardware", Group::Flow, "2"},
}};

} // namespace

std::span<const PortSettingsForm::Option> PortSettingsForm::options()
{
    return optionTable;
}

const PortSettingsForm::Option *PortSettingsForm::option(QStringView name)
{
    for (const Option &o : optionTable) {
        if (name == QLatin1StringView(o.name))
            return &o;
    }
    return nullptr;
}

void PortSettingsForm::closeHeldPort(Terminal &terminal)
{
    if (!terminal.PortOpen)
        return;
    terminal.op().message(QStringLiteral("Closing Communication Port"));
    terminal.printer().ClosePort();
    terminal.PortOpen = false;
}

QString PortSettingsForm::portText() const
{
    return m_terminal.Settings.IOPort;
}

QStringList PortSettingsForm::portList()
{
    QStringList list;
    for (qint32 index = 0;; ++index) {
        const QString entry = listEntry(m_terminal.printer().PortName(index));
        list.append(entry);
        if (entry.isEmpty())
            return list;
    }
}

bool PortSettingsForm::isSelected(const Option &option) const
{
    const PortSettings &s = m_terminal.Settings;
    const QLatin1StringView value(option.value);
    switch (option.group) {
    case Group::BaudRate:
        return s.BaudRate == value;
    case Group::Parity:
        return s.Parity == value;
    case Group::Bits:
        return s.Bits == value;
    case Group::StopBits:
        return s.StopBits == value;
    case Group::Flow:
        return QString::number(s.Flow) == value;
    }
    return false;
}

void PortSettingsForm::Option_Click(const Option &option)
{
    PortSettings &s = m_terminal.Settings;
    const QString value = QString::fromLatin1(option.value);
    switch (option.group) {
    case Group::BaudRate:
        s.BaudRate = value;
        break;
    case Group::Parity:
        s.Parity = value;
        break;
    case Group::Bits:
        s.Bits = value;
        break;
    case Group::StopBits:
        s.StopBits = value;
        break;
    case Group::Flow:
        s.Flow = value.toShort();
        break;
    }
}

void PortSettingsForm::AvalPorts_Click(const QString &boxText)
{
    m_terminal.Settings.IOPort = listedPortName(boxText);
}

void PortSettingsForm::OKButton_Click(const QString &boxText)
{
    m_terminal.Settings.IOPort = boxText;
    m_terminal.DispPort();
}

QString PortSettingsForm::listEntry(QString description)
{
    const QString blanks(4, QLatin1Char(' '));
    for (int replaced = 0; replaced < 2; ++replaced) {
        const qsizetype tab = description.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            break;
        description.replace(tab, 1, blanks);
    }
    return description;
}

QString PortSettingsForm::listedPortName(const QString &entry)
{
    qsizetype end = 0;
    while (end < entry.size() && entry.at(end) >= QLatin1Char('0'))
        ++end;
    return entry.left(end);
}
