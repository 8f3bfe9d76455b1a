#pragma once

#include "mount/MountFamily.h"
#include "mount/families/FamilyInputs.h"
#include "mount/families/MountExchange.h"

#include <QByteArray>

#include <optional>

// iOptron (10) and iEQ45/ZEQ25 (13): LX200-style ":...#" commands. The two
// share the date, time, zone and site commands; the rest differ a little.
class IOptronFamily final : public MountFamily {
public:
    IOptronFamily(int protocol, const MountContext& context, FamilyInputs inputs);

    bool connect() override;
    bool readPosition() override;
    bool gotoPosition(double ra, double dec) override;
    bool slewDetect() override;
    // Slew 1..5, SlewSpeed, Park (iOptron 21..26), Track (iEQ45 25..28), Setup 31..34.
    bool run(const PanelCommand& command) override;

    bool isPolar() const { return m_isPolar; }
    int slewSpeed() const { return m_slewSpeed; }
    int trackMode() const { return m_trackMode; }
    int guideRate() const { return m_guideRate; }

    // A ":GR#" reply as hours, a ":GD#" reply as degrees; none when it does
    // not parse. The iEQ45's blanks read as "0"; `usesStar` is set by a '*'.
    static std::optional<double> parseHours(QByteArray reply, bool iEQ45);
    static std::optional<double> parseDegrees(QByteArray reply, bool iEQ45, bool* usesStar = nullptr);
    // The site commands' fields: ":St " latitude and ":Sg " longitude (east
    // positive, −180..+180) texts.
    static QByteArray latitudeText(double degrees);
    static QByteArray longitudeText(double eastDegrees);
    // The date, time and zone commands of the local `moment`.
    static QList<QByteArray> dateCommands(const QDateTime& moment);

private:
    bool isIEQ45() const;
    bool noResponse(const QString& line, bool beep = false);
    bool ask1(const QByteArray& command, const char* failure, bool beep = false);
    bool send(const QByteArray& command, const char* failure, bool beep = false);
    bool connectIOptron();
    bool connectIEQ45();
    bool slew(int code);
    bool slewSpeed(int code);
    bool track(int code);
    bool park(int code);
    bool setup(int code);
    bool dateIOptron();
    bool siteIOptron();

    int m_protocol;
    MountContext m_context;
    FamilyInputs m_inputs;
    MountExchange m_exchange;
    bool m_isPolar = false;
    int m_trackMode = -1;
    int m_guideRate = -1;
    int m_slewSpeed = 0;
};
