#pragma once

#include "mount/links/ConnectMenuLinks.h"
#include "mount/SerialSlots.h"

#include <QByteArray>
#include <QString>

#include <optional>

class ScopeControl;
class SerialControl;

// The command layer every serial focuser shares: it finds the focuser on
// the focuser slot of the serial transport (the port the Connect menu
// chose, or each listed port in turn), holds the connection and runs
// exchanges. A model says its speed and probe and builds its commands.
class FocuserControl : public MenuDevice {
public:
    FocuserControl(SerialControl& serial, ScopeControl& scope, long baud, QString debugName);

    bool isConnected() const override { return m_isConnect; }
    bool connectDevice() override { return initPort(); }
    void disconnectDevice() override { disconnectPort(); }

    // Connects, or keeps an answering connection; false when no port answers.
    bool initPort();
    // Empties and closes the slot; not connected, no port.
    virtual void disconnectPort();
    // The port's list index + 1; 0 when not connected.
    quint16 port() const { return m_port; }

protected:
    // Asks the focuser on the open slot whether it is there.
    virtual bool probe() = 0;
    // Whether a connected focuser still answers; one that does not is
    // disconnected and sought again.
    virtual bool stillAnswers() { return true; }

    // Writes `request` and reads at least `expected` bytes into `reply`;
    // the bytes read, or nothing when the exchange failed.
    std::optional<QByteArray> exchange(const QByteArray& request, quint16 expected);
    SerialControl& serial() const { return m_serial; }
    // Writes a line to the debug log while debugging is on.
    void writeDebug(const QString& line) const;

private:
    bool tryPort(quint16 index);

    SerialControl& m_serial;
    ScopeControl& m_scope;
    long m_baud;
    QString m_debugName;
    bool m_isConnect = false;
    quint16 m_port = 0;
};
