#include "scopeview/SVDrawer.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVDrawView.h"
#include "scopeview/SVSurveyControl.h"
#include "scopeview/SVView.h"
#include "scopeview/SurveyServers.h"

#include "model/settings/PrefControl.h"
#include "platform/StringTables.h"
#include "skydraw/ChartDisplay.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {

const QString kNoEyepieceTitle = QStringLiteral("---");
constexpr int kNoEyepiece = -1;

}  // namespace

SVDrawer::SVDrawer(PrefControl& prefs, SVDrawView& drawView, SVView& view, QObject* parent)
    : QObject(parent), m_prefs(prefs), m_drawView(drawView), m_view(view),
      m_server(SurveyServers::kNames[SurveyServers::kStartIndex]),
      m_serverIndex(SurveyServers::kStartIndex)
{
    m_view.setOptics(&m_optics);
    SVDrawView& d = m_drawView;
    connect(d.scopeHelp, &QComboBox::activated, this, &SVDrawer::svScopeAction);
    connect(d.svEyeRadio, &QButtonGroup::idClicked, this, &SVDrawer::svEyeAction);
    connect(d.svPowerSlider, &QSlider::valueChanged, this, &SVDrawer::svPowerAction);
    connect(d.serverHelp, &QComboBox::activated, this, &SVDrawer::svDSSServerAction);
    connect(d.downloadText, &QPushButton::clicked, this, &SVDrawer::svDSSAction);
    connect(d.cacheText, &QCheckBox::toggled, this, &SVDrawer::svDSSCacheAction);
    connect(d.nomadMagPopup, &QComboBox::activated, this,
            [this](int index) { nomadAction(kNomadMagTag, index); });
    connect(d.nomadDownloadButton, &QPushButton::clicked, this,
            [this] { nomadAction(kNomadDownloadTag, 0); });
    const auto checkbox = [this](QCheckBox* box, int tag) {
        connect(box, &QCheckBox::toggled, this, [this, tag](bool on) { nomadAction(tag, on); });
    };
    checkbox(d.nomadShowMagCheckbox, kNomadShowMagTag);
    checkbox(d.nomadCacheCheckbox, kNomadCacheTag);
    checkbox(d.nomadStarChecboxk, kNomadStarTag);
    checkbox(d.nomadGridCheckbox, kNomadGridTag);
}

int SVDrawer::listedScopes() const
{
    int count = 0;
    for (const scope& s : m_prefs.scopes()) {
        if (s.scopeFL == 0.0f)
            break;
        ++count;
    }
    return count;
}

void SVDrawer::setupDrawer()
{
    QComboBox* scopes = m_drawView.scopeHelp;
    const int listed = listedScopes();
    {
        const QSignalBlocker block(scopes);
        scopes->clear();
        for (int i = 0; i < listed; ++i)
            scopes->addItem(m_prefs.scopeNamesArray().value(i));
        // Without a listed telescope there is no focal length: the eyepieces
        // and the camera stay off and only a power set directly gives a field.
        const int current = m_prefs.currentScope();
        const bool known = current >= 0 && current < listed;
        scopes->setCurrentIndex(known ? current : -1);
        m_optics.reset(known ? m_prefs.scopes()[current].scopeFL : 0.0f, m_prefs.eyepieces()[0]);
    }

    const auto eyepieces = m_prefs.eyepieces();
    for (int r = 0; r < SVDrawView::kEyeRows; ++r) {
        const float fl = eyepieces[r].eyeFL;
        m_drawView.eyeRows[r]->setText(fl != 0.0f && r != SVOptics::kCameraSlot
                                           ? QString::asprintf("%.1f", fl)
                                           : kNoEyepieceTitle);
    }
    enableEyeRows();
    m_drawView.clearEyeSelection();

    m_serverIndex = SurveyServers::kStartIndex;
    m_server = SurveyServers::kNames[m_serverIndex];
    m_drawView.serverHelp->setCurrentIndex(m_serverIndex);
    m_drawView.svDSSProgress->setRange(0, 0);
    setIsDownloading(false);
    {
        const QSignalBlocker block(m_drawView.cacheText);
        m_drawView.cacheText->setChecked(m_prefs.isDSSCache());
    }
    m_prefs.setCurrentEyepiece(kNoEyepiece);

    applyButtonRules();
    m_isNomadShowMag = false;
    m_nomadMag = kNomadMags[0];
    m_isNomadStar = false;
    for (QCheckBox* box : {m_drawView.nomadShowMagCheckbox, m_drawView.nomadStarChecboxk}) {
        const QSignalBlocker block(box);
        box->setChecked(false);
    }
    {
        const QSignalBlocker block(m_drawView.nomadMagPopup);
        m_drawView.nomadMagPopup->setCurrentIndex(0);
    }
    moveSlider();
    m_view.calculateSVAngles();
    m_view.update();
}

void SVDrawer::enableEyeRows()
{
    const auto eyepieces = m_prefs.eyepieces();
    for (int r = 0; r < SVDrawView::kEyeRows; ++r)
        m_drawView.eyeRows[r]->setEnabled(m_optics.isSlotUsable(eyepieces[r]));
}

void SVDrawer::svScopeAction(int index)
{
    if (index < 0 || index >= listedScopes())
        return;
    m_prefs.setCurrentScope(index);
    m_optics.setScopeFL(m_prefs.scopes()[index].scopeFL);
    enableEyeRows();
    const int row = m_drawView.selectedEyeRow();
    if (row >= 0) {
        svEyeAction(row);
        return;
    }
    m_optics.keepPowerAsDirect();
    m_prefs.setCurrentEyepiece(kNoEyepiece);
    applyButtonRules();
    changedOptics();
}

void SVDrawer::svEyeAction(int row)
{
    if (row < 0 || row >= SVDrawView::kEyeRows)
        return;
    const eyepiece& slot = m_prefs.eyepieces()[row];
    const bool chosen = row == SVOptics::kCameraSlot
                            ? m_optics.selectCamera(slot, CameraSensor::forKind(m_prefs.currentDSLR()))
                            : m_optics.selectEyepiece(slot);
    if (!chosen) {
        // No field without focal lengths: the power set before stays.
        m_drawView.clearEyeSelection();
        return;
    }
    m_drawView.eyeRows[row]->setChecked(true);
    if (row == SVOptics::kCameraSlot)
        setEye10();
    applyButtonRules();
    moveSlider();
    m_prefs.setCurrentEyepiece(row);
    changedOptics();
    if (m_skyView)
        m_skyView->display();
}

void SVDrawer::svPowerAction(int sliderPosition)
{
    m_drawView.clearEyeSelection();
    m_optics.setDirectPower(float(SVDrawView::powerAt(sliderPosition)));
    m_prefs.setCurrentEyepiece(kNoEyepiece);
    applyButtonRules();
    changedOptics();
    if (m_skyView)
        m_skyView->display();
}

void SVDrawer::setSVPower(float power)
{
    m_drawView.clearEyeSelection();
    m_optics.setDirectPower(power);
    m_prefs.setCurrentEyepiece(kNoEyepiece);
    moveSlider();
    applyButtonRules();
    changedOptics();
    if (m_skyView)
        m_skyView->display();
}

void SVDrawer::svDSSAction()
{
    if (m_survey)
        m_survey->svDSSAction();
}

void SVDrawer::svDSSServerAction(int index)
{
    m_serverIndex = SurveyServers::validIndex(index);
    m_server = SurveyServers::kNames[m_serverIndex];
    applyButtonRules();
}

void SVDrawer::svDSSCacheAction(bool on) { m_prefs.setIsDSSCache(on); }

void SVDrawer::nomadAction(int tag, int state)
{
    const bool on = state != 0;
    switch (tag) {
    case kNomadMagTag:
        if (state >= 0 && state < int(kNomadMags.size()))
            m_nomadMag = kNomadMags[state];
        return;
    case kNomadDownloadTag:
        nomadDownload(QGuiApplication::keyboardModifiers().testFlag(Qt::AltModifier));
        return;
    case kNomadShowMagTag:
        m_isNomadShowMag = on;
        break;
    case kNomadCacheTag:
        if (m_nomad)
            m_nomad->setNomadCache(on);
        return;
    case kNomadStarTag:
        m_isNomadStar = on;
        break;
    case kNomadGridTag:
        m_isNomadGrid = on;
        break;
    default:
        return;
    }
    m_view.update();
}

void SVDrawer::nomadDownload(bool force)
{
    if (m_nomad)
        m_nomad->nomadDownload(force);
}

void SVDrawer::setPower(float power)
{
    m_optics.setPower(power);
    moveSlider();
}

void SVDrawer::setFov(float fov)
{
    m_optics.setFov(fov);
    applyButtonRules();
}

void SVDrawer::setDSSProgress(double percent)
{
    m_drawView.svDSSProgress->setRange(0, 100);
    m_drawView.svDSSProgress->setValue(int(percent));
}

void SVDrawer::setIsDownloading(bool downloading)
{
    m_isDSSDownloading = downloading;
    // An indeterminate bar keeps moving, so it shows only while a download runs.
    m_drawView.svDSSProgress->setVisible(downloading);
    m_drawView.downloadText->setText(
        StringTables::localizedString("Windows", downloading ? "Cancel" : "Download"));
}

void SVDrawer::setEye10()
{
    m_drawView.eyeRows[SVOptics::kCameraSlot]->setText(
        CameraSensor::forKind(m_prefs.currentDSLR()).title);
}

void SVDrawer::applyButtonRules()
{
    const bool hasCentre = m_view.state().isTracking();
    m_drawView.downloadText->setEnabled(hasCentre && m_optics.isSurveyAllowed(m_serverIndex));
    m_drawView.nomadDownloadButton->setEnabled(hasCentre && m_optics.isConeSearchAllowed());
}

void SVDrawer::moveSlider()
{
    const QSignalBlocker block(m_drawView.svPowerSlider);
    m_drawView.svPowerSlider->setValue(SVDrawView::sliderPosition(m_optics.power()));
}

void SVDrawer::changedOptics()
{
    SVViewState& state = m_view.state();
    state.setIsDSSImage(false);
    state.setHasChanged(true);
    m_view.calculateSVAngles();
    m_view.update();
}
