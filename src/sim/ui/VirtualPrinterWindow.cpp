#include "sim/ui/VirtualPrinterWindow.h"

#include "link/SystemPorts.h"
#include "sim/VirtualPrinter.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Lines of paper kept in view; the printer keeps its own record.
constexpr int ShownLines = 5000;
// A receipt roll is about this many characters wide.
constexpr int PaperColumns = 42;

QCheckBox *stateBox(const QString &text, const char *name, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

} // namespace

VirtualPrinterWindow::VirtualPrinterWindow(VirtualPrinter &printer, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_printer(printer)
{
    setObjectName(QStringLiteral("VirtualPrinterWindow"));
    setWindowTitle(QStringLiteral("Virtual Printer"));

    m_paper = new QPlainTextEdit(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    m_paper->setReadOnly(true);
    m_paper->setMaximumBlockCount(ShownLines);
    m_paper->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_paper->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette roll = m_paper->palette();
    roll.setColor(QPalette::Base, QColor(255, 255, 250));
    roll.setColor(QPalette::Text, QColor(20, 20, 20));
    m_paper->setPalette(roll);
    const QFontMetrics metrics(m_paper->font());
    m_paper->setMinimumWidth(metrics.horizontalAdvance(QString(PaperColumns, QLatin1Char('M'))) +
                             m_paper->verticalScrollBar()->sizeHint().width() + 12);
    m_paper->setMinimumHeight(metrics.lineSpacing() * 16);
    m_paper->setPlainText(QString::fromLatin1(printer.paperText()));

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));

    m_cover = stateBox(QStringLiteral("Cover open"), "coverOpen", printer.coverOpen(), this);
    m_paperLow = stateBox(QStringLiteral("Paper low"), "paperLow", printer.paperLow(), this);
    m_paperOut = stateBox(QStringLiteral("Paper out"), "paperOut", printer.paperOut(), this);
    m_drawer1 =
        stateBox(QStringLiteral("Drawer 1 open"), "drawer1Open", printer.drawerOpen(1), this);
    m_drawer2 =
        stateBox(QStringLiteral("Drawer 2 open"), "drawer2Open", printer.drawerOpen(2), this);

    auto *boxes = new QGridLayout;
    boxes->addWidget(m_cover, 0, 0);
    boxes->addWidget(m_paperLow, 0, 1);
    boxes->addWidget(m_paperOut, 0, 2);
    boxes->addWidget(m_drawer1, 1, 0);
    boxes->addWidget(m_drawer2, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_paper, 1);
    layout->addWidget(m_status);
    layout->addLayout(boxes);

    VirtualPrinter *p = &m_printer;
    connect(m_cover, &QCheckBox::toggled, this, [p](bool on) { p->setCoverOpen(on); });
    connect(m_paperLow, &QCheckBox::toggled, this, [p](bool on) { p->setPaperLow(on); });
    connect(m_paperOut, &QCheckBox::toggled, this, [p](bool on) { p->setPaperOut(on); });
    connect(m_drawer1, &QCheckBox::toggled, this, [p](bool on) { p->setDrawerOpen(1, on); });
    connect(m_drawer2, &QCheckBox::toggled, this, [p](bool on) { p->setDrawerOpen(2, on); });
    connect(p, &VirtualPrinter::printed, this,
            [this](const QByteArray &, const QByteArray &text) { addPaper(text); });
    connect(p, &VirtualPrinter::stateChanged, this, &VirtualPrinterWindow::showState);
    showState();
}

void VirtualPrinterWindow::addPaper(const QByteArray &text)
{
    if (text.isEmpty())
        return;
    QTextCursor end(m_paper->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromLatin1(text));
    m_paper->verticalScrollBar()->setValue(m_paper->verticalScrollBar()->maximum());
}

void VirtualPrinterWindow::showState()
{
    const QSignalBlocker b1(m_cover), b2(m_paperLow), b3(m_paperOut), b4(m_drawer1), b5(m_drawer2);
    m_cover->setChecked(m_printer.coverOpen());
    m_paperLow->setChecked(m_printer.paperLow());
    m_paperOut->setChecked(m_printer.paperOut());
    m_drawer1->setChecked(m_printer.drawerOpen(1));
    m_drawer2->setChecked(m_printer.drawerOpen(2));
    QString buffer = QStringLiteral("buffer empty");
    if (!m_printer.bufferEmpty())
        buffer = m_printer.coverOpen() ? QStringLiteral("printing held: cover open")
                                       : QStringLiteral("printing held: paper out");
    m_status->setText(m_printer.model() + QStringLiteral(", ") + buffer);
}

void VirtualPrinterWindow::showOnFirstOpen(SystemPorts &ports, QWidget *mainWindow)
{
    ports.setVirtualPrinterOpened([&ports, mainWindow] {
        auto *window = new VirtualPrinterWindow(ports.virtualPrinter(), mainWindow);
        window->adjustSize();
        const QRect main = mainWindow->frameGeometry();
        const QPoint beside = main.topRight() + QPoint(8, 0);
        const QScreen *screen = mainWindow->screen();
        if (screen &&
            screen->availableGeometry().contains(QRect(beside, window->frameGeometry().size())))
            window->move(beside);
        window->show();
    });
}
