#include "prefs/TelescopeTab.h"

#include "model/settings/PrefControl.h"
#include "model/settings/PrefDefaults.h"
#include "mount/MountProtocols.h"
#include "prefs/PrefLocalization.h"
#include "platform/widgets/RefusalNote.h"
#include "prefs/TelescopeOptics.h"
#include "platform/TypedNumber.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using TelescopeOptics::kMmPerInch;
using TelescopeOptics::kMostAperture;
using TelescopeOptics::kMostCameraPercent;
using TelescopeOptics::kMostEyeFocalLength;
using TelescopeOptics::kMostFocalLength;
using TelescopeOptics::number;

constexpr int kInchRow = 0;
constexpr int kMmRow = 1;
constexpr int kProtocolCount = 13;

// The camera kinds of the telescope view's camera slot, in pop-up order.
constexpr std::array<const char*, 3> kCameraTitles{"Full Frame DSLR", "APS-C DSLR", "Webcam"};

QButtonGroup* radioGroup(QWidget* owner, QBoxLayout* layout, PrefLocalization& texts,
                         std::initializer_list<const char*> titles)
{
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (const char* title : titles) {
        auto* button = new QRadioButton(owner);
        texts.label(button, title);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
}

// The refusal of a field: its caption, then the range it takes.
constexpr char kRangeNote[] = "%1 takes a number from 0 to %2.";
constexpr char kDeleteNote[] = "Focal Length: type a number; 0 deletes the scope.";

QString lengthText(float millimetres, bool isMm)
{
    return number(isMm ? millimetres : millimetres / kMmPerInch);
}

}  // namespace

TelescopeTab::TelescopeTab(PrefControl& prefs, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent), m_prefs(prefs)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildScope(texts));
    layout->addWidget(buildLimits(texts));
    layout->addWidget(buildEyepieces(texts));
    m_note = new RefusalNote(this);
    layout->addWidget(m_note);
    layout->addStretch();
}

QWidget* TelescopeTab::buildScope(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Telescope (save each scope separately)");
    auto* grid = new QGridLayout(box);

    // The five radios are one control: their tip sits on the row that holds them.
    auto* scopeRow = new QWidget(box);
    auto* scopes = new QHBoxLayout(scopeRow);
    scopes->setContentsMargins(0, 0, 0, 0);
    m_scopeRadio = radioGroup(scopeRow, scopes, texts, {"Scope 1", "Scope 2", "Scope 3", "Scope 4", "Scope 5"});
    texts.tip(scopeRow, "Select which telescope to configure");
    connect(m_scopeRadio, &QButtonGroup::idClicked, this, &TelescopeTab::scopeSelectionAction);
    grid->addWidget(scopeRow, 0, 0, 1, 4);

    m_name = new QLineEdit(box);
    m_name->setMaxLength(int(PrefDefaults::kMostNameLength));
    m_focalLength = new QLineEdit(box);
    m_aperture = new QLineEdit(box);
    texts.tip(m_name, "Enter a name or ID for this scope");
    texts.tip(m_focalLength, "Enter this scope's focal length (inches or mm). To delete the scope enter 0.");
    texts.tip(m_aperture, "Enter this scope's aperture (inches or mm)");
    grid->addWidget(texts.label(new QLabel(box), "Name:"), 1, 0);
    grid->addWidget(m_name, 1, 1, 1, 3);
    grid->addWidget(texts.label(new QLabel(box), "Focal Length:"), 2, 0);
    grid->addWidget(m_focalLength, 2, 1);
    auto* flUnit = new QHBoxLayout;
    m_focalLengthUnit = radioGroup(box, flUnit, texts, {"inch", "mm"});
    grid->addLayout(flUnit, 2, 2);
    grid->addWidget(texts.label(new QLabel(box), "Aperture:"), 3, 0);
    grid->addWidget(m_aperture, 3, 1);
    auto* apUnit = new QHBoxLayout;
    m_apertureUnit = radioGroup(box, apUnit, texts, {"inch", "mm"});
    grid->addLayout(apUnit, 3, 2);

    auto* finder = texts.label(new QGroupBox(box), "Finder");
    auto* finderRow = new QHBoxLayout(finder);
    m_finderRadio = radioGroup(finder, finderRow, texts, {"Laser Dot", "TelRad", "Scope"});
    m_finderField = new QLineEdit(finder);
    texts.tip(m_finderField, "Enter the field of view in degress for the finder on this scope");
    finderRow->addWidget(m_finderField);
    finderRow->addWidget(texts.label(new QLabel(finder), "Deg"));
    grid->addWidget(finder, 4, 0, 1, 4);

    m_mount = new QComboBox(box);
    m_mount->addItem(QString());
    texts.text([this](const QString& t) { m_mount->setItemText(0, t); }, QStringLiteral("Mount Protocol"));
    for (int protocol = 1; protocol <= kProtocolCount; ++protocol) {
        const QString name = mountProtocolName(protocol);
        m_mount->addItem(name.isEmpty() ? QStringLiteral("Ultima") : name);
    }
    texts.tip(m_mount, "Select the type of PC serial protocol this telescope uses");
    m_camera = new QComboBox(box);
    for (const char* title : kCameraTitles)
        m_camera->addItem(QString::fromUtf8(title));
    grid->addWidget(m_mount, 5, 0, 1, 2);
    grid->addWidget(m_camera, 5, 2, 1, 2);

    m_reverseEW = new QCheckBox(box);
    m_reverseNS = new QCheckBox(box);
    m_retainPolling = new QCheckBox(tr("Retain scope polling"), box);
    m_altAz = new QCheckBox(tr("Alt/Az mount"), box);
    texts.label(m_reverseEW, "Reverse E/W");
    texts.label(m_reverseNS, "Reverse N/S");
    texts.tip(m_reverseEW, "Select if this scope reverses the image East/West");
    texts.tip(m_reverseNS, "Select if this scope reverses the image North/South");
    texts.tip(m_retainPolling, "Select to retain scope polling when SV window is closed");
    texts.tip(m_altAz, "Select to rotate the SV image with an Alt/Az mount");
    grid->addWidget(m_reverseEW, 6, 0);
    grid->addWidget(m_reverseNS, 6, 1);
    grid->addWidget(m_retainPolling, 6, 2);
    grid->addWidget(m_altAz, 6, 3);

    auto* save = texts.label(new QPushButton(box), "Save Scope");
    texts.tip(save, "Save the entered information for this telescope");
    connect(save, &QPushButton::clicked, this, &TelescopeTab::saveScopeAction);
    grid->addWidget(save, 7, 3);
    return box;
}

QWidget* TelescopeTab::buildLimits(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Theoretical Limits");
    auto* row = new QHBoxLayout(box);
    const std::array<const char*, 3> captions{"Magnitude Limit:", "Resolving Power:", "Maximum Power:"};
    for (size_t i = 0; i < captions.size(); ++i) {
        row->addWidget(texts.label(new QLabel(box), captions[i]));
        m_limits[i] = new QLabel(box);
        m_limits[i]->setMinimumWidth(48);
        row->addWidget(m_limits[i]);
    }
    return box;
}

QWidget* TelescopeTab::buildEyepieces(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Eyepieces");
    auto* grid = new QGridLayout(box);
    const std::array<const char*, 4> headings{"FLmm", "FOV°", "Power", "FOV"};
    for (size_t column = 0; column < headings.size(); ++column)
        grid->addWidget(texts.label(new QLabel(box), headings[column]), 0, int(column) + 1);
    for (int row = 0; row < kEyepieceRows; ++row) {
        const size_t i = size_t(row);
        m_eyeFocalLength[i] = new QLineEdit(box);
        m_eyeField[i] = new QLineEdit(box);
        m_power[i] = new QLabel(box);
        m_trueField[i] = new QLabel(box);
        grid->addWidget(new QLabel(QString::number(row + 1), box), row + 1, 0);
        grid->addWidget(m_eyeFocalLength[i], row + 1, 1);
        grid->addWidget(m_eyeField[i], row + 1, 2);
        grid->addWidget(m_power[i], row + 1, 3);
        grid->addWidget(m_trueField[i], row + 1, 4);
    }
    texts.tip({m_eyeFocalLength.begin(), m_eyeFocalLength.end()}, "Enter the eyepiece focal length in mm");
    texts.tip({m_eyeField.begin(), m_eyeField.end()}, "Enter the eyepiece field of view in degrees");
    m_cameraPercent = new QLineEdit(box);
    grid->addWidget(new QLabel(tr("Camera field %"), box), kEyepieceRows + 1, 0, 1, 2);
    grid->addWidget(m_cameraPercent, kEyepieceRows + 1, 2);

    m_flipOutline = new QCheckBox(tr("Flip outline 180°"), box);
    m_flipEWOutline = new QCheckBox(tr("Flip outline E/W"), box);
    texts.tip(m_flipOutline, "Some optics need the SBIG outline in the SV window to flip 180 deg when "
                             "connected to Norvane Image.");
    texts.tip(m_flipEWOutline, "Some optics need the SBIG outline in the SV window to flip E/W when "
                               "connected to Norvane Image.");
    grid->addWidget(m_flipOutline, kEyepieceRows + 2, 0, 1, 2);
    grid->addWidget(m_flipEWOutline, kEyepieceRows + 2, 2, 1, 3);

    auto* save = texts.label(new QPushButton(box), "Save Eyepieces");
    texts.tip(save, "Save the entered information for these eyepieces");
    connect(save, &QPushButton::clicked, this, &TelescopeTab::saveEyepieceAction);
    grid->addWidget(save, kEyepieceRows + 3, 3, 1, 2);
    return box;
}

void TelescopeTab::setupScopes(int slot)
{
    if (slot < 0 || slot >= kScopes)
        return;
    const scope& s = m_prefs.scopes()[size_t(slot)];
    m_scopeRadio->button(slot)->setChecked(true);
    m_name->setText(m_prefs.scopeNamesArray().value(slot));
    m_finderField->setText(number(s.finderFOV));
    m_reverseEW->setChecked(s.isRevEW != 0);
    m_reverseNS->setChecked(s.isRevNS != 0);
    m_focalLengthUnit->button(s.isFLmm ? kMmRow : kInchRow)->setChecked(true);
    m_focalLength->setText(lengthText(s.scopeFL, s.isFLmm));
    m_apertureUnit->button(s.isAPmm ? kMmRow : kInchRow)->setChecked(true);
    m_aperture->setText(lengthText(s.scopeAP, s.isAPmm));
    if (QAbstractButton* finder = m_finderRadio->button(s.finderType))
        finder->setChecked(true);
    m_mount->setCurrentIndex(s.mountProtocol <= kProtocolCount ? s.mountProtocol : 0);

    const TelescopeOptics::Limits limits = TelescopeOptics::limits(s.scopeFL, s.scopeAP);
    m_limits[0]->setText(limits.magnitudeLimit);
    m_limits[1]->setText(limits.resolvingPower);
    m_limits[2]->setText(limits.maximumPower);

    const int camera = m_prefs.currentDSLR();
    m_camera->setCurrentIndex(camera >= 0 && camera < m_camera->count() ? camera : 0);
    m_retainPolling->setChecked(m_prefs.isScopeRetainPolling());
    m_altAz->setChecked(m_prefs.isScopeAltAz());
    m_flipOutline->setChecked(m_prefs.isFlipOutline());
    m_flipEWOutline->setChecked(m_prefs.isFlipEWOutline());

    const auto eyepieces = m_prefs.eyepieces();
    m_cameraPercent->setText(number(eyepieces[kEyepieceRows].eyeFOV));
    for (size_t i = 0; i < size_t(kEyepieceRows); ++i) {
        const eyepiece& e = eyepieces[i];
        m_eyeFocalLength[i]->setText(e.eyeFL == 0.0f ? QString() : number(e.eyeFL));
        m_eyeField[i]->setText(e.eyeFL == 0.0f ? QString() : number(e.eyeFOV));
        const TelescopeOptics::EyepieceRow row = TelescopeOptics::eyepieceRow(s.scopeFL, e.eyeFL, e.eyeFOV);
        m_power[i]->setText(row.power);
        m_trueField[i]->setText(row.trueField);
    }
}

void TelescopeTab::scopeSelectionAction(int slot)
{
    m_currentScope = slot;
    m_prefs.setCurrentScope(slot);
    setupScopes(slot);
}

std::optional<float> TelescopeTab::fieldValue(const QLineEdit* field, double most, const char* caption)
{
    if (field->text().trimmed().isEmpty())
        return 0.0f;
    const std::optional<double> value = TypedNumber::read(field->text());
    if (!value || *value < 0.0 || *value > most) {
        m_note->refuse(PrefLocalization::localized(kRangeNote)
                           .arg(PrefLocalization::localized(caption).remove(QLatin1Char(':')), number(most)));
        return std::nullopt;
    }
    return float(*value);
}

bool TelescopeTab::saveScopeAction()
{
    const size_t n = size_t(m_currentScope);
    // Only a focal length that reads as 0 deletes: a field that does not
    // read is a mistake, not the delete command.
    const std::optional<double> typedFocalLength = TypedNumber::read(m_focalLength->text());
    if (!typedFocalLength) {
        m_note->refuse(PrefLocalization::localized(kDeleteNote));
        return false;
    }
    scope& s = m_prefs.scopes()[n];
    // Five names even before the settings were first read.
    QStringList names = PrefDefaults::fitted(m_prefs.scopeNamesArray(), PrefDefaults::scopeNames());
    if (*typedFocalLength == 0.0) {
        m_note->clearNote();
        s = scope{};
        s.isFLmm = 1;
        s.isAPmm = 1;
        names[qsizetype(n)] = QString();
        m_prefs.setScopeNamesArray(names);
        m_prefs.saveScopes();
        m_currentScope = 0;
        m_prefs.setCurrentScope(0);
        setupScopes(0);
        pushChanges(true);
        m_prefs.writeSettings();
        return true;
    }
    const bool isFLmm = m_focalLengthUnit->checkedId() == kMmRow;
    const bool isAPmm = m_apertureUnit->checkedId() == kMmRow;
    const double flScale = isFLmm ? 1.0 : kMmPerInch;
    const double apScale = isAPmm ? 1.0 : kMmPerInch;
    const std::optional<float> focalLength = fieldValue(m_focalLength, kMostFocalLength / flScale, "Focal Length:");
    if (!focalLength)
        return false;
    const std::optional<float> aperture = fieldValue(m_aperture, kMostAperture / apScale, "Aperture:");
    if (!aperture)
        return false;
    const std::optional<float> finderField = fieldValue(m_finderField, TelescopeOptics::kMostField, "Finder");
    if (!finderField)
        return false;
    m_note->clearNote();
    names[qsizetype(n)] = m_name->text();
    m_prefs.setScopeNamesArray(names);
    s.finderFOV = *finderField;
    s.finderType = std::uint16_t(std::max(0, m_finderRadio->checkedId()));
    s.isFLmm = isFLmm ? 1 : 0;
    s.scopeFL = float(*focalLength * flScale);
    s.isAPmm = isAPmm ? 1 : 0;
    s.scopeAP = float(*aperture * apScale);
    s.isRevEW = m_reverseEW->isChecked() ? 1 : 0;
    s.isRevNS = m_reverseNS->isChecked() ? 1 : 0;
    s.mountProtocol = std::uint16_t(m_mount->currentIndex());
    m_prefs.setIsScopeRetainPolling(m_retainPolling->isChecked());
    m_prefs.setIsScopeAltAz(m_altAz->isChecked());
    m_prefs.saveScopes();
    setupScopes(m_currentScope);
    pushChanges(true);
    m_prefs.writeSettings();
    return true;
}

bool TelescopeTab::saveEyepieceAction()
{
    // Into a copy: a refused row leaves every stored one as it was.
    std::array<eyepiece, 10> eyepieces{};
    std::ranges::copy(m_prefs.eyepieces(), eyepieces.begin());
    for (size_t i = 0; i < size_t(kEyepieceRows); ++i) {
        const std::optional<float> focalLength = fieldValue(m_eyeFocalLength[i], kMostEyeFocalLength, "FLmm");
        if (!focalLength)
            return false;
        const std::optional<float> field = fieldValue(m_eyeField[i], TelescopeOptics::kMostField, "FOV\u00B0");
        if (!field)
            return false;
        eyepieces[i] = {*focalLength, *field};
    }
    const std::optional<float> percent = fieldValue(m_cameraPercent, kMostCameraPercent, "Camera field %");
    if (!percent)
        return false;
    m_note->clearNote();
    eyepieces[kEyepieceRows] = {kCameraFocalLength, *percent};
    std::ranges::copy(eyepieces, m_prefs.eyepieces().begin());
    m_prefs.setCurrentDSLR(m_camera->currentIndex());
    m_prefs.setIsFlipOutline(m_flipOutline->isChecked());
    m_prefs.setIsFlipEWOutline(m_flipEWOutline->isChecked());
    m_prefs.saveEyepieces();
    setupScopes(m_currentScope);
    pushChanges(false);
    m_prefs.writeSettings();
    return true;
}

void TelescopeTab::pushChanges(bool connectMenu) const
{
    if (m_links.setupDrawer)
        m_links.setupDrawer();
    if (connectMenu && m_links.setupConnectMenu)
        m_links.setupConnectMenu();
}
