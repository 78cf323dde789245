#include "propertiesdialog.h"

#include "core/portcontroller.h"
#include "core/seriallink.h"
#include "core/serialsettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

QComboBox* makeCombo(const QString& name, const QStringList& items = {}) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->addItems(items);
    return combo;
}

} // namespace

PropertiesDialog::PropertiesDialog(PortController& port, SettingsStore& store, UserDialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), m_logic(port, store, dialogs), m_port(port) {
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("CommPort Properties"));
    setModal(true);

    auto* root = new QVBoxLayout(this);
    auto* actual = new QLabel(QStringLiteral(" Actual Vornal Comm Settings:"));
    root->addWidget(actual);
    m_lblSettings = new QLabel;
    m_lblSettings->setObjectName(QStringLiteral("lblSettings"));
    root->addWidget(m_lblSettings);
    root->addWidget(new QLabel(QStringLiteral(" Default: 9600,n,8,1  Port: 1")));

    auto* form = new QFormLayout;
    m_cboPort = makeCombo(QStringLiteral("cboPort"));
    m_cboSpeed = makeCombo(QStringLiteral("cboSpeed"));
    m_cboDataBits = makeCombo(QStringLiteral("cboDataBits"));
    m_cboParity = makeCombo(QStringLiteral("cboParity"));
    m_cboStopBits = makeCombo(QStringLiteral("cboStopBits"));
    form->addRow(QStringLiteral("Port:"), m_cboPort);
    form->addRow(QStringLiteral("Speed:"), m_cboSpeed);
    form->addRow(QStringLiteral("Data Bits:"), m_cboDataBits);
    form->addRow(QStringLiteral("Parity:"), m_cboParity);
    form->addRow(QStringLiteral("Stop Bits:"), m_cboStopBits);
    root->addLayout(form);

    auto* flowBox = new QGroupBox(QStringLiteral("Flow Control:"));
    auto* flowRow = new QHBoxLayout(flowBox);
    m_optFlow = new QButtonGroup(this);
    for (int i = 0; i < PortSettings::kFlowNames.size(); ++i) {
        auto* option = new QRadioButton(PortSettings::kFlowNames[i]);
        option->setObjectName(QStringLiteral("optFlow_%1").arg(i));
        m_optFlow->addButton(option, i);
        flowRow->addWidget(option);
    }
    connect(m_optFlow, &QButtonGroup::idClicked, this, [this](int id) { m_iFlow = id; });
    connect(m_optFlow, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_iFlow = id;
    });
    root->addWidget(flowBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("Save"));
    ok->setObjectName(QStringLiteral("lblOK"));
    ok->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("lblExit"));
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PropertiesDialog::save);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    loadPropertySettings();
}

void PropertiesDialog::loadPropertySettings() {
    const QList<int> ports = m_logic.scan();
    for (int n : ports)
        m_cboPort->addItem(PortSettings::portEntry(n));
    m_cboPort->setCurrentIndex(-1);
    m_cboSpeed->addItems(PortSettings::kSpeeds);
    m_cboDataBits->addItems(PortSettings::kDataBits);
    m_cboParity->addItems(PortSettings::kParities);
    m_cboStopBits->addItems(PortSettings::kStopBits);
    m_lblSettings->setText(m_logic.settingsText());

    SerialLink& link = m_port.link();
    const SettingsDisplay shown = splitSettingsForDisplay(link.settings());
    m_cboSpeed->setCurrentText(shown.speed);
    m_cboParity->setCurrentIndex(shown.parityIndex);
    m_cboDataBits->setCurrentText(shown.dataBits);
    m_cboStopBits->setCurrentText(shown.stopBits);
    m_cboPort->setCurrentText(PortSettings::portEntry(link.portNumber()));
    if (QAbstractButton* option = m_optFlow->button(link.handshaking()))
        option->setChecked(true);
    m_iFlow = link.handshaking();
}

void PropertiesDialog::save() {
    const PortSettings::Choice choice{m_cboPort->currentText(),     m_cboSpeed->currentText(),
                                      m_cboParity->currentText(),   m_cboDataBits->currentText(),
                                      m_cboStopBits->currentText(), m_iFlow};
    if (m_logic.save(choice))
        accept();
}

} // namespace vornal
