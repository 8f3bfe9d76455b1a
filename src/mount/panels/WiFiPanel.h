#pragma once

#include "mount/links/WiFiView.h"

#include <QDialog>

class PrefControl;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class SerialControl;

// The small panel that edits the WiFi bridge's address and port and
// connects or cancels it.
class WiFiPanel : public QDialog, public WiFiView {
    Q_OBJECT
public:
    WiFiPanel(SerialControl& serial, PrefControl& prefs, QWidget* parent = nullptr);
    ~WiFiPanel() override;

    // Shows the transport's address and port in the fields.
    void updateWifiText();

    QString addressField() const override;
    QString portField() const override;
    void setProgressRunning(bool running) override;
    void setStatusText(const QString& text) override;
    void setConnectTitle(const QString& title) override;

    void wifiConnectAction();
    // A field was edited: the transport takes it and the settings keep both.
    void wifiEditAction(QLineEdit* field);

    QLineEdit* addressEdit() const { return m_address; }
    QLineEdit* portEdit() const { return m_port; }
    QPushButton* connectButton() const { return m_connect; }
    QString statusText() const;

private:
    // The port field holds a TCP port; otherwise the status line says so and
    // the field shows the port in use again.
    bool portTaken();

    SerialControl& m_serial;
    PrefControl& m_prefs;
    QLineEdit* m_address;
    QLineEdit* m_port;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_connect;
};
