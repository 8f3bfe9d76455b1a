#pragma once

#include "model/records/cityList.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <utility>

class PrefControl;
class PrefLocalization;
class RefusalNote;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class SkyDateModel;

// The Setup tab's location part: the location fields, the time zone, the
// five stored sites and the start-up time, direction and real-time choice.
class SitesTab final : public QWidget {
    Q_OBJECT
public:
    struct Links {
        std::function<void()> updateSky;    // the chart re-projects and redraws
        std::function<void()> closeWindow;  // the preferences window closes
    };

    SitesTab(PrefControl& prefs, SkyDateModel& skyDate, PrefLocalization& texts, QWidget* parent = nullptr);
    void setLinks(Links links) { m_links = std::move(links); }

    // Fills every control from the settings. With `isInstall` the pop-up
    // selects the program zone's abbreviation instead of the home site's.
    void setupDate(bool isInstall);
    // Writes a location into the fields; -999 hours leaves the zone alone.
    void setLocation(double latitude, double longitude, double timeZoneHours);
    // Stores the fields' location as the site named `name` and goes there.
    void lumarikSiteGoto(const QString& name);
    // Selects the program zone's abbreviation in the pop-up.
    void setTimeZonePopup();
    // A city chosen from the city tables: its place and zone into the
    // fields, its name into the selected site's name field. Stores nothing.
    void citySelected(const cityList& city);
    // Adds a part of the Setup tab below the sites.
    void addSection(QWidget* section);

    // The actions of the tab's controls; false when they were refused (beep and
    // reason shown) and did nothing.
    void siteRadioAction(int row);
    bool siteSaveAction();
    bool siteGotoAction();
    void selectTimeZone();

    // The site row current in the tab, -1 after the user deselected it.
    int currentSite() const { return m_currentSite; }

    QLineEdit* latitudeField(int part) const { return m_latitude[part]; }
    QLineEdit* longitudeField(int part) const { return m_longitude[part]; }
    QLineEdit* siteNameField(int site) const { return m_names[site]; }
    QButtonGroup* northSouth() const { return m_northSouth; }
    QButtonGroup* eastWest() const { return m_eastWest; }
    QButtonGroup* siteRadio() const { return m_siteRadio; }
    QButtonGroup* directionRadio() const { return m_direction; }
    QComboBox* timeZonePopup() const { return m_zones; }
    QCheckBox* realTimeBox() const { return m_realTime; }
    QDateTimeEdit* startupTimePicker() const { return m_startupTime; }
    QLabel* startupZoneLabel() const { return m_startupZone; }
    // Why the last Save or Go To was refused; hidden once one goes through.
    RefusalNote* refusalNote() const { return m_note; }

private:
    void buildLocation(PrefLocalization& texts);
    void buildSites(PrefLocalization& texts);
    void buildStartup(PrefLocalization& texts);
    // Whether the home row's "Undefined" name goes with a location typed in,
    // which makes it the home site rather than no site.
    bool isHomeTyped(int row, const QString& name) const;
    // The fields' location, or nothing after a refusal naming the bad field.
    std::optional<std::pair<double, double>> typedLocation();
    void selectTitle(const QString& title);
    void selectStoredTitle(const QString& title);
    // Latitude and longitude from the fields, signed by the radios; nothing
    // when a field is out of range.
    std::optional<double> fieldLatitude() const;
    std::optional<double> fieldLongitude() const;
    // Names the zone the start-up time is read in.
    void showStartupZone();
    void enableNameField(int site);

    PrefControl& m_prefs;
    SkyDateModel& m_skyDate;
    Links m_links;
    int m_currentSite = 0;
    QDateTimeEdit* m_startupTime;
    QLabel* m_startupZone;
    QCheckBox* m_realTime;
    QButtonGroup* m_direction;
    std::array<QLineEdit*, 3> m_latitude{};
    std::array<QLineEdit*, 3> m_longitude{};
    QButtonGroup* m_northSouth;
    QButtonGroup* m_eastWest;
    QComboBox* m_zones;
    std::array<QLineEdit*, 5> m_names{};
    QButtonGroup* m_siteRadio;
    RefusalNote* m_note;
};
