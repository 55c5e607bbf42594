#include "link/ui/ConfigScrn.h"

#include "terminal/ui/FitFont.h"
#include "terminal/ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace {

// A control of the dialog: where it stands (in its frame, for option buttons) and its
// place in the tab order.
struct Control
{
    const char *name;
    const char *caption;
    const char *frame; // null for controls on the dialog itself
    int left, top, width, height;
    int tabIndex;
};

constexpr Control frames[] = {
    {"Frame1", "&Baud Rate", nullptr, 240, 660, 4575, 975, 2},
    {"Frame4", "&Parity", nullptr, 240, 1740, 1095, 1332, 12},
    {"Frame2", "&Data Bits", nullptr, 1440, 1740, 852, 1332, 6},
    {"Frame3", "&Stop Bits", nullptr, 2400, 1740, 852, 1332, 9},
    {"Frame5", "&Flow Control", nullptr, 3360, 1740, 1452, 1332, 16},
};

constexpr Control optionButtons[] = {
    {"Baud48", "4800", "Frame1", 240, 240, 735, 255, 4},
    {"Baud96", "9600", "Frame1", 1320, 240, 735, 255, 5},
    {"Baud192", "19200", "Frame1", 2400, 240, 852, 192, 20},
    {"Baud384", "38400", "Frame1", 240, 601, 972, 252, 21},
    {"Baud576", "57600", "Frame1", 1318, 601, 975, 252, 22},
    {"Baud24", "115200", "Frame1", 2399, 600, 975, 255, 3},
    {"Baud230", "230400", "Frame1", 3480, 631, 852, 192, 24},
    {"NoParity", "None", "Frame4", 180, 300, 795, 252, 13},
    {"OddParity", "Odd", "Frame4", 180, 600, 675, 252, 14},
    {"EvenParity", "Even", "Frame4", 180, 900, 795, 252, 15},
    {"Data7", "7", "Frame2", 240, 360, 375, 255, 7},
    {"Data8", "8", "Frame2", 240, 720, 435, 255, 8},
    {"Stop1", "1", "Frame3", 240, 360, 435, 255, 10},
    {"Stop2", "2", "Frame3", 240, 720, 495, 255, 11},
    {"NoFlow", "None", "Frame5", 120, 300, 855, 255, 19},
    {"XonFlow", "Xon/Xoff", "Frame5", 120, 600, 1095, 255, 17},
    {"Hardware", "Hardware", "Frame5", 120, 900, 1152, 252, 18},
};

} // namespace

ConfigScrn::ConfigScrn(Terminal &terminal, QWidget *parent)
    : QDialog(parent)
    , m_form(terminal)
{
    setObjectName(QStringLiteral("ConfigScrn"));
    setWindowTitle(QStringLiteral("Communication Settings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    // Controls by tab index, for the tab order.
    std::vector<std::pair<int, QWidget *>> order;

    AvalPorts = new QComboBox(this);
    AvalPorts->setObjectName(QStringLiteral("AvalPorts"));
    // Editable: pseudo-terminals and other devices that are never listed can be typed.
    AvalPorts->setEditable(true);
    AvalPorts->setInsertPolicy(QComboBox::NoInsert);
    Twips::place(AvalPorts, 240, 240, 3615, 315);
    order.emplace_back(23, AvalPorts);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    Twips::place(OKButton, 5280, 360, 975, 375);
    order.emplace_back(0, OKButton);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    Twips::place(CancelButton, 5280, 960, 975, 375);
    order.emplace_back(1, CancelButton);

    std::vector<QGroupBox *> groups;
    for (const Control &f : frames) {
        auto *box = new QGroupBox(QString::fromLatin1(f.caption), this);
        box->setObjectName(QLatin1StringView(f.name));
        Twips::place(box, f.left, f.top, f.width, f.height);
        groups.push_back(box);
    }
    for (const Control &b : optionButtons) {
        const auto frame = std::find_if(groups.begin(), groups.end(), [&b](QGroupBox *g) {
            return g->objectName() == QLatin1StringView(b.frame);
        });
        Q_ASSERT(frame != groups.end());
        auto *button = new QRadioButton(QString::fromLatin1(b.caption), *frame);
        button->setObjectName(QLatin1StringView(b.name));
        Twips::place(button, b.left, b.top, b.width, b.height);
        order.emplace_back(b.tabIndex, button);
        const PortSettingsForm::Option *option = PortSettingsForm::option(button->objectName());
        Q_ASSERT(option);
        connect(button, &QRadioButton::clicked, this,
                [this, option] { m_form.Option_Click(*option); });
    }

    FitFont::fitFont(this);

    std::sort(order.begin(), order.end());
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);

    connect(AvalPorts, &QComboBox::activated, this,
            [this] { m_form.AvalPorts_Click(AvalPorts->currentText()); });
    connect(OKButton, &QPushButton::clicked, this, &ConfigScrn::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
    OKButton->setFocus(Qt::OtherFocusReason);
}

void ConfigScrn::Form_Load()
{
    AvalPorts->addItems(m_form.portList());
    // No entry is current, so that choosing any of them, the first included, is a change
    // that puts its text into the box.
    AvalPorts->setCurrentIndex(-1);
    AvalPorts->setEditText(m_form.portText());
    for (QRadioButton *button : findChildren<QRadioButton *>()) {
        if (const auto *option = PortSettingsForm::option(button->objectName()))
            button->setChecked(m_form.isSelected(*option));
    }
}

void ConfigScrn::OKButton_Click()
{
    const QString text = AvalPorts->currentText();
    close();
    m_form.OKButton_Click(text);
}
