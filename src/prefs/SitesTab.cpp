#include "prefs/SitesTab.h"

#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefDefaults.h"
#include "platform/AppTimeZone.h"
#include "platform/MacRoman.h"
#include "platform/TimeZoneResolver.h"
#include "prefs/PrefLocalization.h"
#include "platform/widgets/RefusalNote.h"
#include "prefs/SiteLocation.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <optional>

namespace {

constexpr double kZoneUnchanged = -999.0;
constexpr char kHomeName[] = "Home";
constexpr int kMostLatitude = 90;
constexpr int kMostLongitude = 180;
// Start-up direction radio rows, in degrees.
constexpr std::array<float, 4> kDirections{0.0f, 180.0f, 90.0f, 270.0f};

constexpr std::array<const char*, 5> kSiteCaptions{"Home:", "Site 1:", "Site 2:", "Site 3:", "Site 4:"};
// What a refusal tells the user.
constexpr char kLatitudeRange[] = "Latitude: degrees 0 to 90, minutes and seconds 0 to 59.";
constexpr char kLongitudeRange[] = "Longitude: degrees 0 to 180, minutes and seconds 0 to 59.";
constexpr char kNoSiteRow[] = "Choose the site row to save first.";
constexpr char kNowhere[] = "Go To needs a location other than 0\u00B0, 0\u00B0.";

QButtonGroup* radioRow(QWidget* owner, QBoxLayout* layout, std::initializer_list<const char*> titles,
                       PrefLocalization* texts = nullptr)
{
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (const char* title : titles) {
        auto* button = new QRadioButton(QString::fromUtf8(title), owner);
        if (texts)
            texts->label(button, title);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
}

QLineEdit* numberField(QWidget* owner, int most)
{
    auto* field = new QLineEdit(owner);
    field->setValidator(new QIntValidator(0, most, field));
    field->setMaxLength(int(QString::number(most).size()));
    return field;
}

void showDms(const std::array<QLineEdit*, 3>& fields, double degrees)
{
    const Sexagesimal s = SiteLocation::fields(degrees);
    fields[0]->setText(QString::asprintf("%.2d", s.whole));
    fields[1]->setText(QString::asprintf("%.2d", s.minutes));
    fields[2]->setText(QString::asprintf("%.2d", s.seconds));
}

// `list` with item `row` replaced, the list padded to the five sites first.
QStringList replaced(const QStringList& list, int row, const QString& value)
{
    QStringList copy = PrefDefaults::fitted(list, PrefDefaults::siteNames());
    copy[row] = value;
    return copy;
}

std::optional<double> readDms(const std::array<QLineEdit*, 3>& fields, int maxDegrees)
{
    return SiteLocation::degrees(fields[0]->text(), fields[1]->text(), fields[2]->text(), maxDegrees);
}

}  // namespace

SitesTab::SitesTab(PrefControl& prefs, SkyDateModel& skyDate, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent), m_prefs(prefs), m_skyDate(skyDate)
{
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName("setupLayout");
    buildStartup(texts);
    buildLocation(texts);
    buildSites(texts);
    layout->addStretch();
}

void SitesTab::addSection(QWidget* section)
{
    auto* box = static_cast<QBoxLayout*>(layout());
    box->insertWidget(box->count() - 1, section);
}

void SitesTab::citySelected(const cityList& city)
{
    setLocation(double(city.latitude), double(city.longitude), double(city.timeZone));
    const QString name = MacRoman::decode(QByteArrayView(city.name, qsizetype(qstrnlen(city.name, sizeof city.name))));
    const int row = m_siteRadio->checkedId();
    if (row >= 0)
        m_names[size_t(row)]->setText(name);
}

void SitesTab::buildStartup(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Startup Time");
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    m_startupTime = new QDateTimeEdit(this);
    m_startupTime->setCalendarPopup(true);
    // The picker shows the stored clock time as it is, in no zone of its own;
    // only the user's edits reach the settings (setupDate blocks its signals).
    m_startupTime->setTimeSpec(Qt::UTC);
    connect(m_startupTime, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& wall) {
        m_prefs.setStartupTime(QDateTime(wall.date(), wall.time(), SkyDateModel::homeSiteZone(m_prefs)));
    });
    m_startupZone = new QLabel(this);
    m_realTime = new QCheckBox(this);
    texts.label(m_realTime, "Startup R/T");
    connect(m_realTime, &QCheckBox::clicked, this, [this](bool on) { m_prefs.setIsRunRealTime(on, true); });
    row->addWidget(m_startupTime);
    row->addWidget(m_startupZone);
    row->addWidget(m_realTime);
    column->addLayout(row);

    auto* directions = new QHBoxLayout;
    m_direction = radioRow(this, directions, {"North", "South", "East", "West"});
    connect(m_direction, &QButtonGroup::idClicked, this,
            [this](int row) { m_prefs.setStartupDirection(kDirections[size_t(row)]); });
    column->addLayout(directions);
    static_cast<QBoxLayout*>(layout())->addWidget(box);
}

void SitesTab::buildLocation(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Location");
    auto* grid = new QGridLayout(box);
    const std::array<const char*, 3> parts{"Deg", "Min", "Sec"};
    for (size_t part = 0; part < parts.size(); ++part)
        grid->addWidget(texts.label(new QLabel(box), parts[part]), 0, int(part) + 1);
    grid->addWidget(texts.label(new QLabel(box), "Latitude:"), 1, 0);
    grid->addWidget(texts.label(new QLabel(box), "Longitude:"), 2, 0);
    for (int part = 0; part < 3; ++part) {
        m_latitude[size_t(part)] = numberField(this, part == 0 ? kMostLatitude : 59);
        m_longitude[size_t(part)] = numberField(this, part == 0 ? kMostLongitude : 59);
        grid->addWidget(m_latitude[size_t(part)], 1, part + 1);
        grid->addWidget(m_longitude[size_t(part)], 2, part + 1);
    }
    auto* ns = new QHBoxLayout;
    m_northSouth = radioRow(this, ns, {"N", "S"}, &texts);
    grid->addLayout(ns, 1, 4);
    auto* ew = new QHBoxLayout;
    m_eastWest = radioRow(this, ew, {"E", "W"}, &texts);
    grid->addLayout(ew, 2, 4);
    m_zones = new QComboBox(this);
    connect(m_zones, &QComboBox::activated, this, &SitesTab::selectTimeZone);
    grid->addWidget(texts.label(new QLabel(box), "Timezone:"), 3, 0);
    grid->addWidget(m_zones, 3, 1, 1, 4);
    static_cast<QBoxLayout*>(layout())->addWidget(box);
}

void SitesTab::buildSites(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Sites (save each site separately)");
    auto* grid = new QGridLayout(box);
    m_siteRadio = new QButtonGroup(this);
    for (int site = 0; site < 5; ++site) {
        auto* radio = new QRadioButton(this);
        texts.label(radio, kSiteCaptions[size_t(site)]);
        m_siteRadio->addButton(radio, site);
        m_names[size_t(site)] = new QLineEdit(this);
        m_names[size_t(site)]->setMaxLength(int(PrefDefaults::kMostNameLength));
        m_names[size_t(site)]->setEnabled(site == 0);
        grid->addWidget(radio, site, 0);
        grid->addWidget(m_names[size_t(site)], site, 1);
    }
    m_siteRadio->button(0)->setChecked(true);
    connect(m_siteRadio, &QButtonGroup::idClicked, this, &SitesTab::siteRadioAction);
    auto* goTo = texts.label(new QPushButton(this), "Go To");
    auto* save = texts.label(new QPushButton(this), "Save");
    connect(goTo, &QPushButton::clicked, this, &SitesTab::siteGotoAction);
    connect(save, &QPushButton::clicked, this, &SitesTab::siteSaveAction);
    grid->addWidget(goTo, 5, 0);
    grid->addWidget(save, 5, 1);
    m_note = new RefusalNote(box);
    grid->addWidget(m_note, 6, 0, 1, 2);
    static_cast<QBoxLayout*>(layout())->addWidget(box);
}

void SitesTab::setupDate(bool isInstall)
{
    {
        const QSignalBlocker quiet(m_startupTime);
        const QDateTime stored = m_prefs.startupTime();
        m_startupTime->setDateTime(QDateTime(stored.date(), stored.time(), Qt::UTC));
    }
    showStartupZone();
    m_realTime->setChecked(m_prefs.isRunRealTime());
    const auto found = std::find(kDirections.begin(), kDirections.end(), m_prefs.startupDirection());
    const int row = found == kDirections.end() ? 3 : int(found - kDirections.begin());
    m_direction->button(row)->setChecked(true);

    m_zones->clear();
    m_zones->addItems(SiteLocation::popupTitles(TimeZoneResolver::abbreviations()));
    if (isInstall)
        setTimeZonePopup();
    else
        selectStoredTitle(m_prefs.siteTZNamesArray().value(0));
    setLocation(m_prefs.latitude(), m_prefs.longitude(), kZoneUnchanged);
    for (int site = 0; site < 5; ++site)
        m_names[size_t(site)]->setText(m_prefs.siteNamesArray().value(site));
    // The chart's menus may have changed the site since the tab was last filled.
    m_currentSite = m_prefs.currentSite();
    if (QAbstractButton* row = m_siteRadio->button(m_currentSite))
        row->setChecked(true);
    enableNameField(m_currentSite);
}

void SitesTab::showStartupZone()
{
    // The launch reads the start-up clock time in the home site's zone.
    m_startupZone->setText(tr("in %1").arg(QString::fromUtf8(SkyDateModel::homeSiteZone(m_prefs).id())));
}

void SitesTab::setTimeZonePopup()
{
    const QTimeZone zone = AppTimeZone::zone();
    const QString abbreviation = zone.abbreviation(AppTimeZone::now());
    selectTitle(m_zones->findText(abbreviation) >= 0 ? abbreviation : QString::fromUtf8(zone.id()));
}

void SitesTab::setLocation(double latitude, double longitude, double timeZoneHours)
{
    showDms(m_latitude, latitude);
    showDms(m_longitude, longitude);
    m_northSouth->button(latitude < 0 ? 1 : 0)->setChecked(true);
    m_eastWest->button(longitude < 0 ? 1 : 0)->setChecked(true);
    if (timeZoneHours == kZoneUnchanged)
        return;
    QStringList titles;
    for (int i = 0; i < m_zones->count(); ++i)
        titles += m_zones->itemText(i);
    const int offset = int(timeZoneHours * 3600.0);
    selectTitle(SiteLocation::matchingTitle(TimeZoneResolver::abbreviations(), titles, offset,
                                            QDateTime::currentDateTimeUtc()));
}

void SitesTab::siteRadioAction(int row)
{
    if (row != m_currentSite) {
        m_currentSite = row;
        const ::site& record = m_prefs.sites()[size_t(row)];
        setLocation(double(record.latitude), double(record.longitude), kZoneUnchanged);
        selectStoredTitle(m_prefs.siteTZNamesArray().value(row));
        enableNameField(row);
        return;
    }
    // A second click on the current row leaves no site current.
    m_siteRadio->setExclusive(false);
    m_siteRadio->button(row)->setChecked(false);
    m_siteRadio->setExclusive(true);
    m_currentSite = -1;
    enableNameField(-1);
}

bool SitesTab::siteSaveAction()
{
    const int row = m_siteRadio->checkedId();
    if (row < 0 || m_currentSite < 0) {
        m_note->refuse(PrefLocalization::localized(kNoSiteRow));
        return false;
    }
    QLineEdit* field = m_names[size_t(row)];
    const QString typed = PrefDefaults::boundedName(field->text());
    const bool isEmptyName = typed.isEmpty() || isHomeTyped(row, typed);
    const QString name =
        isEmptyName ? QString(row == 0 ? kHomeName : PrefDefaults::kUndefinedSiteName) : typed;
    const bool isEmptySlot = name == PrefDefaults::kUndefinedSiteName;
    std::optional<std::pair<double, double>> location = std::pair(0.0, 0.0);
    if (!isEmptySlot && !(location = typedLocation()))
        return false;
    const auto [latitude, longitude] = *location;
    m_note->clearNote();
    field->setText(name);
    m_prefs.setSiteNamesArray(replaced(m_prefs.siteNamesArray(), row, name));

    if (isEmptySlot)
        selectTitle(SiteLocation::kUnknownZone);
    ::site& record = m_prefs.sites()[size_t(row)];
    record.latitude = float(latitude);
    record.longitude = float(longitude);
    if (isEmptySlot)
        setLocation(0.0, 0.0, kZoneUnchanged);
    m_prefs.setTZNamesArray(replaced(m_prefs.siteTZNamesArray(), row, m_zones->currentText()));
    m_prefs.saveSites();
    if (row == 0)
        showStartupZone();
    m_prefs.writeSettings();
    return true;
}

bool SitesTab::siteGotoAction()
{
    const std::optional<std::pair<double, double>> location = typedLocation();
    if (!location)
        return false;
    const auto [latitude, longitude] = *location;
    if (latitude == 0.0 && longitude == 0.0) {
        m_note->refuse(PrefLocalization::localized(kNowhere));
        return false;
    }
    m_note->clearNote();
    m_prefs.setLatitude(latitude);
    m_prefs.setLongitude(longitude);
    const QTimeZone zone = TimeZoneResolver::resolve(m_zones->currentText());
    QDateTime date = m_skyDate.skyDate();
    if (zone.isValid()) {
        date = AppTimeZone::sameWallClock(date, AppTimeZone::zone(), zone);
        AppTimeZone::setZone(zone);
    }
    m_skyDate.calculateDate(date, 0.0);
    // A deselected row is no site: the chart keeps the one it has.
    if (m_currentSite >= 0)
        m_prefs.setCurrentSite(m_currentSite);
    if (m_links.updateSky)
        m_links.updateSky();
    if (m_links.closeWindow)
        m_links.closeWindow();
    return true;
}

void SitesTab::lumarikSiteGoto(const QString& name)
{
    const QTimeZone zone = TimeZoneResolver::resolve(m_zones->currentText());
    if (zone.isValid())
        AppTimeZone::setZone(zone);
    const QDateTime date = m_skyDate.skyDate();

    int slot = 4;
    for (int site = 1; site <= 4; ++site) {
        const QString held = m_names[size_t(site)]->text();
        if (held == name || held == PrefDefaults::kUndefinedSiteName) {
            slot = site;
            break;
        }
    }
    m_names[size_t(slot)]->setText(name);
    m_currentSite = slot;
    m_prefs.setCurrentSite(slot);
    m_prefs.setSiteNamesArray(replaced(m_prefs.siteNamesArray(), slot, name));
    m_siteRadio->button(slot)->setChecked(true);
    siteSaveAction();
    m_names[size_t(slot)]->setEnabled(true);
    m_skyDate.calculateDate(date, 0.0);
    if (m_links.updateSky)
        m_links.updateSky();
}

void SitesTab::selectTimeZone()
{
    const QTimeZone zone = TimeZoneResolver::resolve(m_zones->currentText());
    if (zone.isValid())
        AppTimeZone::setZone(zone);
}

void SitesTab::selectTitle(const QString& title)
{
    const int index = m_zones->findText(title);
    m_zones->setCurrentIndex(index >= 0 ? index : 0);
}

void SitesTab::selectStoredTitle(const QString& title)
{
    selectTitle(title == PrefDefaults::kUndefinedSiteName ? QString(SiteLocation::kUnknownZone) : title);
}

std::optional<double> SitesTab::fieldLatitude() const
{
    const std::optional<double> value = readDms(m_latitude, kMostLatitude);
    return value && m_northSouth->checkedId() == 1 ? -*value : value;
}

std::optional<double> SitesTab::fieldLongitude() const
{
    const std::optional<double> value = readDms(m_longitude, kMostLongitude);
    return value && m_eastWest->checkedId() == 1 ? -*value : value;
}

bool SitesTab::isHomeTyped(int row, const QString& name) const
{
    if (row != 0 || name != PrefDefaults::kUndefinedSiteName)
        return false;
    // A location that does not read is refused by the save itself.
    const std::optional<double> latitude = fieldLatitude();
    const std::optional<double> longitude = fieldLongitude();
    return !latitude || !longitude || *latitude != 0.0 || *longitude != 0.0;
}

std::optional<std::pair<double, double>> SitesTab::typedLocation()
{
    const std::optional<double> latitude = fieldLatitude();
    if (!latitude) {
        m_note->refuse(PrefLocalization::localized(kLatitudeRange));
        return std::nullopt;
    }
    const std::optional<double> longitude = fieldLongitude();
    if (!longitude) {
        m_note->refuse(PrefLocalization::localized(kLongitudeRange));
        return std::nullopt;
    }
    return std::pair(*latitude, *longitude);
}

void SitesTab::enableNameField(int site)
{
    for (int i = 0; i < 5; ++i)
        m_names[size_t(i)]->setEnabled(i == site);
}
