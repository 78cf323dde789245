#include "window/propertiesdialog.h"

#include "look/objectnames.h"
#include "serial/portcontroller.h"
#include "serial/seriallink.h"
#include "serial/serialsettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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

const QStringList PropertiesDialog::kDeviceFolders = {QStringLiteral("/dev"), QStringLiteral("/dev/serial"),
                                                      QStringLiteral("/dev/serial/by-id")};

PropertiesDialog::PropertiesDialog(PortController& port, SettingsStore& store, UserDialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), m_logic(port, store, dialogs), m_port(port),
      m_devices(store, port.link().systemDevices()) {
    setObjectName(ObjectNames::kFrmProperties);
    setWindowTitle(QStringLiteral("CommPort Properties"));
    setModal(true);

    auto* root = new QVBoxLayout(this);
    auto* actual = new QLabel(QStringLiteral(" Actual Vornal Comm Settings:"));
    root->addWidget(actual);
    m_lblSettings = new QLabel;
    // Text from data (names, paths, the system's words) shows as it is.
    m_lblSettings->setTextFormat(Qt::PlainText);
    m_lblSettings->setObjectName(ObjectNames::kLblSettings);
    root->addWidget(m_lblSettings);
    root->addWidget(new QLabel(QStringLiteral(" Default: 9600,n,8,1  Port: 1")));

    auto* form = new QFormLayout;
    m_cboPort = makeCombo(ObjectNames::kCboPort);
    m_cboSpeed = makeCombo(ObjectNames::kCboSpeed);
    m_cboDataBits = makeCombo(ObjectNames::kCboDataBits);
    m_cboParity = makeCombo(ObjectNames::kCboParity);
    m_cboStopBits = makeCombo(ObjectNames::kCboStopBits);
    form->addRow(QStringLiteral("Port:"), m_cboPort);
    form->addRow(QStringLiteral("Speed:"), m_cboSpeed);
    form->addRow(QStringLiteral("Data Bits:"), m_cboDataBits);
    form->addRow(QStringLiteral("Parity:"), m_cboParity);
    form->addRow(QStringLiteral("Stop Bits:"), m_cboStopBits);
    root->addLayout(form);
    addDeviceControls(root);

    auto* flowBox = new QGroupBox(QStringLiteral("Flow Control:"));
    auto* flowRow = new QHBoxLayout(flowBox);
    m_optFlow = new QButtonGroup(this);
    for (int i = 0; i < PortSettings::kFlowNames.size(); ++i) {
        auto* option = new QRadioButton(PortSettings::kFlowNames[i]);
        option->setObjectName(ObjectNames::element(ObjectNames::kOptFlow, i));
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
    ok->setObjectName(ObjectNames::kLblOK);
    ok->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("Exit"));
    exit->setObjectName(ObjectNames::kLblExit);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PropertiesDialog::save);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    loadPropertySettings();
    connect(m_cboPort, &QComboBox::currentTextChanged, this, &PropertiesDialog::showDeviceOf);
    showDeviceOf(m_cboPort->currentText());
    connect(&m_deviceWatch, &FolderWatch::changed, this, &PropertiesDialog::refreshDevices);
    m_deviceWatch.start(kDeviceFolders);
}

void PropertiesDialog::addDeviceControls(QVBoxLayout* root) {
    auto* box = new QGroupBox(QStringLiteral("Device:"));
    auto* column = new QVBoxLayout(box);
    m_lblDevice = new QLabel;
    // Text from data (names, paths, the system's words) shows as it is.
    m_lblDevice->setTextFormat(Qt::PlainText);
    m_lblDevice->setObjectName(ObjectNames::kLblDevice);
    m_lblDevice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblDevice->setToolTip(QStringLiteral("The device the chosen port number opens"));
    column->addWidget(m_lblDevice);

    m_cboDevice = makeCombo(ObjectNames::kCboDevice);
    m_cboDevice->setToolTip(
        QStringLiteral("Maps the chosen port number to a device of this computer (or type "
                       "a path); \"In the system's order\" makes port n the n-th device"));
    m_cboDevice->setAccessibleName(QStringLiteral("Device of the port number"));
    m_cboDevice->setAccessibleDescription(m_cboDevice->toolTip());
    column->addWidget(m_cboDevice);

    m_lstDevices = new QListWidget;
    m_lstDevices->setObjectName(ObjectNames::kLstDevices);
    m_lstDevices->setToolTip(QStringLiteral("Every port number that names a device"));
    m_lstDevices->setAccessibleName(QStringLiteral("Port numbers and their devices"));
    m_lstDevices->setAccessibleDescription(m_lstDevices->toolTip());
    m_lstDevices->setMaximumHeight(110);
    column->addWidget(m_lstDevices);
    fillDeviceLists();
    root->addWidget(box);
}

void PropertiesDialog::fillDeviceLists() {
    m_cboDevice->clear();
    m_cboDevice->addItem(QStringLiteral("In the system's order"), QString());
    for (const SerialDevice& device : m_devices.devices()) {
        const QString shown = device.description.isEmpty()
                                  ? device.shownName()
                                  : device.shownName() + QStringLiteral(" - ") + device.description;
        m_cboDevice->addItem(shown, device.preferredName());
    }
    m_lstDevices->clear();
    for (const PortDevices::Row& row : m_devices.rows())
        m_lstDevices->addItem(PortDevices::describe(row));
    if (m_lstDevices->count() == 0)
        m_lstDevices->addItem(QStringLiteral("No serial device found"));
}

void PropertiesDialog::refreshDevices() {
    SerialDeviceList now = m_port.link().systemDevices();
    if (now == m_devices.devices())
        return;
    const QString chosen = chosenDevice();
    m_devices.setDevices(std::move(now));
    fillDeviceLists();
    const int index = m_cboDevice->findData(chosen);
    if (index >= 0)
        m_cboDevice->setCurrentIndex(index);
    else
        m_cboDevice->setEditText(chosen);
    const int number = portNumberOf(m_cboPort->currentText(), m_port.link().portNumber());
    if (number >= SerialLink::kFirstPort && number <= SerialLink::kLastPort)
        m_lblDevice->setText(PortDevices::describe(m_devices.row(number)));
}

int PropertiesDialog::portNumberOf(const QString& portText, int current) {
    // As saving reads it: the last two characters of the entry.
    const QString tail = portText.right(2).trimmed();
    if (tail.isEmpty())
        return current;
    bool ok = false;
    const int n = tail.toInt(&ok);
    return ok ? n : -1;
}

void PropertiesDialog::showDeviceOf(const QString& portText) {
    const int number = portNumberOf(portText, m_port.link().portNumber());
    if (number < SerialLink::kFirstPort || number > SerialLink::kLastPort) {
        m_lblDevice->clear();
        return;
    }
    m_lblDevice->setText(PortDevices::describe(m_devices.row(number)));
    const QString assigned = m_devices.assignment(number);
    const int index = m_cboDevice->findData(assigned);
    if (index >= 0)
        m_cboDevice->setCurrentIndex(index);
    else
        m_cboDevice->setEditText(assigned);
}

QString PropertiesDialog::chosenDevice() const {
    const int index = m_cboDevice->currentIndex();
    if (index >= 0 && m_cboDevice->itemText(index) == m_cboDevice->currentText())
        return m_cboDevice->itemData(index).toString();
    return m_cboDevice->currentText().trimmed();
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
    // The number's device is stored first, so that the port opens the chosen device;
    // when the link refuses the choice the old mapping comes back.
    const int number = portNumberOf(choice.portText, m_port.link().portNumber());
    const QString before = m_devices.assignment(number);
    const QString device = chosenDevice();
    const bool remap =
        number >= SerialLink::kFirstPort && number <= SerialLink::kLastPort && device != before;
    if (remap)
        m_devices.assign(number, device);
    if (m_logic.save(choice))
        accept();
    else if (remap)
        m_devices.assign(number, before);
}

} // namespace vornal
