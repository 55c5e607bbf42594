#pragma once

#include "link/PortSettingsForm.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class Terminal;

// The Communication Settings dialog: the port box and the line-setting option buttons,
// each click written straight into the terminal's settings. Modeless; it deletes itself
// when OK, Cancel or its close box ends it.
class ConfigScrn : public QDialog
{
    Q_OBJECT
public:
    ConfigScrn(Terminal &terminal, QWidget *parent = nullptr);

    static constexpr int DesignWidth = 6345;
    static constexpr int DesignHeight = 3150;

private:
    void Form_Load();
    void OKButton_Click();

    PortSettingsForm m_form;
    QComboBox *AvalPorts = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
};
