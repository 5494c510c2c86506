#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The port a download uses: a port number, or a device (a path, or the
// built-in demo tester), which wins when set.
struct PortSetting
{
    int m_nComPort = 2;
    QString m_strDevice;

    bool operator==(const PortSetting&) const = default;
};

// One entry of the settings dialog's port list.
struct PortEntry
{
    QString m_strText;
    PortSetting m_setting;
};

// "COM 1" to "COM 4" (list index + 1 is the port number), then the serial
// devices found on this machine, then the demo tester.
QList<PortEntry> PortEntries(const QStringList& astrDevices, const QString& strDemoText);

// What the port box shows for a setting: "COM %d" for a number (also one
// beyond the list, "COM 7"), the demo tester's text, or the device path.
QString PortText(const PortSetting& setting, const QString& strDemoText);

// What OK makes of the port box: the entry chosen from the list, or a typed
// "COM n" or device path; any other text leaves the port as it was.
PortSetting PortFromChoice(int nSelected, const QString& strTyped, const QList<PortEntry>& entries,
                           const PortSetting& current);

// What the download opens for a setting: the device, or the number.
QString PortForDownload(const PortSetting& setting);

// The setting a port given as text (on the command line) stands for: a number
// is that port; anything else is a device, and the number stays nComPort.
PortSetting SessionPortSetting(const QString& strPort, int nComPort);

// Serial devices worth offering: USB adapters and their stable names.
QStringList FindSerialDevices();
