#pragma once

#include "serial/folderwatch.h"
#include "serial/portdevices.h"
#include "serial/portsettings.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QVBoxLayout;

namespace vornal {

class PortController;
class SettingsStore;
class UserDialogs;

// The port settings window: the ports found by a scan, the line settings and the flow
// control. Saving applies them to the port and stores them. The device lists follow
// the devices that appear and vanish while the window is open.
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // The folders where serial devices and their stable names appear.
    static const QStringList kDeviceFolders;

    PropertiesDialog(PortController& port, SettingsStore& store, UserDialogs& dialogs,
                     QWidget* parent = nullptr);

    // Reads the system's devices again and shows them, keeping the operator's choice.
    void refreshDevices();

private:
    void loadPropertySettings();
    void save();
    // The device part: what the chosen number opens, and the operator's own mapping.
    void addDeviceControls(QVBoxLayout* root);
    void fillDeviceLists();
    void showDeviceOf(const QString& portText);
    QString chosenDevice() const;
    static int portNumberOf(const QString& portText, int current);

    PortSettings m_logic;
    PortController& m_port;
    QComboBox* m_cboPort;
    QComboBox* m_cboSpeed;
    QComboBox* m_cboDataBits;
    QComboBox* m_cboParity;
    QComboBox* m_cboStopBits;
    QButtonGroup* m_optFlow;
    QLabel* m_lblSettings;
    int m_iFlow = 0;
    PortDevices m_devices;
    QComboBox* m_cboDevice = nullptr;
    QLabel* m_lblDevice = nullptr;
    QListWidget* m_lstDevices = nullptr;
    FolderWatch m_deviceWatch;
};

} // namespace vornal
