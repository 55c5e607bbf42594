#pragma once

#include <QDialog>

class Operator;
class QLabel;
class QPushButton;
class SystemKeys;

// The About box: the title, part number and version, description and legal texts, and a
// button that starts the system-information tool. Modeless; Enter and Esc close it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(Operator &op, SystemKeys &keys, QWidget *parent = nullptr);

    static constexpr int DesignWidth = 5730;
    static constexpr int DesignHeight = 3555;

private:
    void buildControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    Operator &m_operator;
    SystemKeys &m_keys;

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Copyright = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};
