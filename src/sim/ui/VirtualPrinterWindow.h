#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class SystemPorts;
class VirtualPrinter;

// The "Virtual Printer" window: the paper of the built-in virtual printer, newest line at
// the bottom, and check boxes that open its cover and drawers and run its paper low or out,
// so that an operator can watch a demonstration print and provoke every status message.
class VirtualPrinterWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VirtualPrinterWindow(VirtualPrinter &printer, QWidget *parent = nullptr);

    // Shows a window over the ports' virtual printer the first time the "SIM" port opens,
    // beside the main window, which owns it.
    static void showOnFirstOpen(SystemPorts &ports, QWidget *mainWindow);

private:
    void addPaper(const QByteArray &text);
    void showState();

    VirtualPrinter &m_printer;
    QPlainTextEdit *m_paper = nullptr;
    QLabel *m_status = nullptr;
    QCheckBox *m_cover = nullptr;
    QCheckBox *m_paperLow = nullptr;
    QCheckBox *m_paperOut = nullptr;
    QCheckBox *m_drawer1 = nullptr;
    QCheckBox *m_drawer2 = nullptr;
};
