#include "mount/panels/WiFiPanel.h"

#include "model/settings/PrefControl.h"
#include "mount/BridgeSocket.h"
#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/EditingFinished.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

WiFiPanel::WiFiPanel(SerialControl& serial, PrefControl& prefs, QWidget* parent)
    : QDialog(parent),
      m_serial(serial),
      m_prefs(prefs),
      m_address(new QLineEdit(this)),
      m_port(new QLineEdit(this)),
      m_status(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_connect(new QPushButton(QString::fromLatin1(kWiFiConnectTitle), this))
{
    setWindowTitle(tr("WiFi"));
    // A busy bar with no range spins, and shows only while connecting.
    m_progress->setRange(0, 0);
    m_progress->setVisible(false);

    auto* fields = new QFormLayout;
    fields->addRow(tr("IP address:"), m_address);
    fields->addRow(tr("Port:"), m_port);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_connect);

    connect(m_connect, &QPushButton::clicked, this, &WiFiPanel::wifiConnectAction);
    EditingFinished::connect(m_address, this, [this] { wifiEditAction(m_address); });
    EditingFinished::connect(m_port, this, [this] { wifiEditAction(m_port); });
    m_serial.setWiFiView(this);
    updateWifiText();
}

WiFiPanel::~WiFiPanel()
{
    m_serial.setWiFiView(nullptr);
}

void WiFiPanel::updateWifiText()
{
    m_address->setText(m_serial.wifiIPAddress());
    m_port->setText(m_serial.wifiPortNumber());
}

QString WiFiPanel::addressField() const { return m_address->text(); }
QString WiFiPanel::portField() const { return m_port->text(); }
QString WiFiPanel::statusText() const { return m_status->text(); }

void WiFiPanel::setProgressRunning(bool running) { m_progress->setVisible(running); }
void WiFiPanel::setStatusText(const QString& text) { m_status->setText(text); }
void WiFiPanel::setConnectTitle(const QString& title) { m_connect->setText(title); }

namespace {

const QString kPortRefused = QStringLiteral("The port must be a whole number from 1 to 65535.");

}  // namespace

bool WiFiPanel::portTaken()
{
    if (BridgeSocket::portNumber(m_port->text()))
        return true;
    AlertPanel::beep();
    m_status->setText(kPortRefused);
    m_port->setText(m_serial.wifiPortNumber());
    return false;
}

void WiFiPanel::wifiConnectAction()
{
    // Cancelling a connected bridge needs no port.
    if (!m_serial.hasWiFi() && !portTaken())
        return;
    m_serial.openWiFi();
}

void WiFiPanel::wifiEditAction(QLineEdit* field)
{
    if (field == m_address) {
        m_serial.setWifiIPAddress(field->text());
    } else if (field == m_port) {
        if (!portTaken())
            return;
        m_serial.setWifiPortNumber(field->text().trimmed());
    }
    m_prefs.saveWifiPrefs();
}
