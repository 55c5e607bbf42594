#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class Terminal;

// What the macro manager window shows and what the operator has set in it.
struct MacroControls
{
    // Set by the operator.
    QString macroName = QStringLiteral("Demo");
    bool silent = true;
    bool prtQuery = false;
    // Shown.
    QString macroStatus;
    QString recordCaption = QStringLiteral("Record");
    bool extStoreEnabled = false;
};

// The macro manager: records, plays, lists, prints and removes the printer's macros, and
// on a printer with Extended Store transfers to it and clears it. It writes through the
// terminal's Send_Info, which macro mode keeps open; only the two Extended Store commands
// go to the port directly. Unloading it ends macro mode.
class MacroManager : public QObject
{
    Q_OBJECT
public:
    explicit MacroManager(Terminal &terminal)
        : m_terminal(terminal)
    {
    }

    bool MacroRecordActive = false;

    const MacroControls &controls() const { return m_controls; }
    // The operator's settings, pushed by the window without a notification back.
    MacroControls &input() { return m_controls; }

    // Loaded: open, between Form_Load and Form_Unload.
    bool isLoaded() const { return m_loaded; }

    // Loads the manager, or brings it to the front when it is already open.
    void Show();
    void Form_Load();
    // Ends an active recording and then macro mode. Never cancelled.
    void Form_Unload();
    void Refresh_Status();

    void MacroPlay_Click();
    void MacroDel_Click();
    void MacroRecord_Click();
    void MacroQuery_Click();
    void Clearext_Click();
    void Transfer_Click();
    void Helpme_Click();
    void OKButton_Click();

Q_SIGNALS:
    void controlsChanged();
    // Form_Load has run: the window is to be shown.
    void loaded();
    // Shown again while open: the window is to come to the front.
    void raiseRequested();
    // Form_Unload has run: the window is to go.
    void unloaded();

private:
    template<typename Change> void changeControls(Change change)
    {
        change(m_controls);
        Q_EMIT controlsChanged();
    }
    QByteArray name() const;
    void send(const QByteArray &bytes);
    void showListing(const QByteArray &answer);
    bool confirmExtendedStore(const QString &text);

    Terminal &m_terminal;
    MacroControls m_controls;
    bool m_loaded = false;
};
