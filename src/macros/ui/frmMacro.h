#pragma once

#include <QWidget>

class MacroManager;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The macro manager window "Corvane Macros": a fixed-size modeless window over the
// MacroManager core. Closing it (OK or the close box) ends macro mode.
class frmMacro : public QWidget
{
    Q_OBJECT
public:
    explicit frmMacro(MacroManager &manager, QWidget *parent = nullptr);

    // On creation: the left edge goes to the main window's left edge.
    void Form_Initialize(const QWidget *mainWindow);

    static constexpr int DesignWidth = 4395;
    static constexpr int DesignHeight = 3900;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void showControls();

    MacroManager &m_manager;

    QLabel *Label1 = nullptr;
    QLineEdit *MacroName = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *Helpme = nullptr;
    QPushButton *MacroPlay = nullptr;
    QPushButton *MacroDel = nullptr;
    QPushButton *MacroRecord = nullptr;
    QPushButton *MacroQuery = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *MacroStatus = nullptr;
    QCheckBox *Silent = nullptr;
    QCheckBox *PrtQuery = nullptr;
    QGroupBox *ExtStrFram = nullptr;
    QPushButton *Transfer = nullptr;
    QPushButton *Clearext = nullptr;
};
