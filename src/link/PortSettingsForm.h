#pragma once

#include <QString>
#include <QStringList>

#include <span>

class Terminal;

// What the Communication Settings dialog does, without its widgets: the port list it
// offers, the line setting each option button stands for, and what a list choice and OK
// set. There is no state of its own: every choice goes straight into the terminal's
// program-wide settings.
class PortSettingsForm
{
public:
    enum class Group { BaudRate, Parity, Bits, StopBits, Flow };
    // An option button: its control name, its group and the value a click sets (Flow as
    // its decimal text).
    struct Option
    {
        const char *name;
        Group group;
        const char *value;
    };

    explicit PortSettingsForm(Terminal &terminal)
        : m_terminal(terminal)
    {
    }

    static std::span<const Option> options();
    // The option button of that control name, or null.
    static const Option *option(QStringView name);

    // Opening the dialog while macro mode holds the port closes the port, after telling the
    // operator; macro mode itself stays.
    static void closeHeldPort(Terminal &terminal);

    // Form_Load: the box's text and its list, ending with one empty entry.
    QString portText() const;
    QStringList portList();
    // Form_Load: whether the button is selected for the current settings.
    bool isSelected(const Option &option) const;

    void Option_Click(const Option &option);
    // A list choice sets the port to the entry's name alone.
    void AvalPorts_Click(const QString &boxText);
    // OK sets the port to the box's whole text and shows it.
    void OKButton_Click(const QString &boxText);

    // A port description as the list shows it: its first two tabs become four blanks each.
    static QString listEntry(QString description);
    // The name at the front of a list entry: up to the first character below "0".
    static QString listedPortName(const QString &entry);

private:
    Terminal &m_terminal;
};
