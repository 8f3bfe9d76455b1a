#pragma once

#include <QString>

// The panel button's title while the bridge is idle.
inline constexpr char kWiFiConnectTitle[] = "Connect";

// The bridge panel as the transport sees it: the two fields it connects
// with and the status it shows while connecting.
class WiFiView {
public:
    virtual ~WiFiView() = default;
    virtual QString addressField() const = 0;
    virtual QString portField() const = 0;
    virtual void setProgressRunning(bool running) = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setConnectTitle(const QString& title) = 0;
};
