#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

class ConfigScrn;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class FrmPause;
class Terminal;
class TranscriptView;

// The main window: builds the controls and menus, forwards the operator's actions to the
// terminal core and shows what the core reports.
class frmTerminal : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmTerminal(Terminal &terminal, QWidget *parent = nullptr);
    ~frmTerminal() override;

    Terminal &terminal() { return m_terminal; }

    // What ends the program after the window has saved and closed everything; the
    // program exits at once, tests record the call instead.
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }

    // Startup: restores the settings and histories and shows the port.
    void Form_Load();
    // Shutdown, also reached through File > Exit: saves (unless minimised), closes the port
    // and the log, and ends the program.
    void Form_Unload();

    // The design client area, in twips.
    static constexpr int DesignWidth = 7125;
    static constexpr int DesignHeight = 5130;
    static constexpr int Line1Y = 1680;
    // Where the transcript pane goes for a client area of W by H twips.
    static QRect termGeometryTwips(int W, int H);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void showControls();
    void setHistory(QComboBox *box, const QStringList &entries, const QString &text);
    void focusIndata();
    void showPause(int secondsLeft);
    void Form_Resize();

    // Menu handlers whose windows live outside the terminal core.
    void MSettings_Click();
    void DoMacros_Click();
    void Operation_Click();
    void CVCommands_Click();
    void PGMGuide_Click();
    void HelpAbout_Click();

    Terminal &m_terminal;
    std::function<void()> m_endProgram;
    bool m_unloaded = false;

    QWidget *m_client = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *CurPort = nullptr;
    QComboBox *FileNameTextBox = nullptr;
    QPushButton *GetFileName = nullptr;
    QPushButton *SendScript = nullptr;
    QLineEdit *PackSize = nullptr;
    QCheckBox *AutoQuery = nullptr;
    QPushButton *SendCommand = nullptr;
    QPushButton *Getresp = nullptr;
    QPushButton *DoBreak = nullptr;
    QPushButton *LoopButton = nullptr;
    QCheckBox *Echo = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QComboBox *SendInfo = nullptr;
    QPlainTextEdit *Indata = nullptr;
    QFrame *Line1 = nullptr;
    TranscriptView *Term = nullptr;
    // Created on the first PAUSE, then only shown and hidden.
    FrmPause *m_pause = nullptr;

    QAction *MOpenLog = nullptr;
    QAction *MCloseLog = nullptr;
    QAction *MFileExit = nullptr;
    QAction *MSettings = nullptr;
    QAction *DoMacros = nullptr;
    QAction *Operation = nullptr;
    QAction *CVCommands = nullptr;
    QAction *PGMGuide = nullptr;
    QAction *HelpAbout = nullptr;

    QPointer<ConfigScrn> m_configScrn;
};
