#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vornal {

class PortController;
class SerialLink;
class SettingsStore;
class UserDialogs;

// The logic of the port settings window: the scan for available ports, the current
// settings text, and saving a new choice to the link and the settings store.
class PortSettings {
public:
    static const QStringList kSpeeds;
    static const QStringList kDataBits;
    static const QStringList kParities;
    static const QStringList kStopBits;
    static const QStringList kFlowNames;

    PortSettings(PortController& port, SettingsStore& store, UserDialogs& dialogs);

    // Opens and closes every port 1 to 32; returns the available numbers. The port's
    // own number and open state are restored afterwards.
    QList<int> scan();
    static QString portEntry(int number);
    // "9600,n,8,1   Port:  1  Flow  0"
    QString settingsText() const;

    struct Choice {
        QString portText;
        QString speed;
        QString parity;
        QString dataBits;
        QString stopBits;
        int flow = 0;
    };
    // Applies and stores the choice. Returns false (after a message) when the link
    // refused part of it; nothing is stored then.
    bool save(const Choice& choice);

private:
    PortController& m_port;
    SerialLink& m_link;
    SettingsStore& m_store;
    UserDialogs& m_dialogs;
};

} // namespace vornal
