#include "scopeview/SVDrawView.h"

#include "scopeview/SVOptics.h"

#include "platform/StringTables.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString windowsText(const char* key) { return StringTables::localizedString("Windows", key); }

// What the survey pop-up lists, in the order of the server indexes.
constexpr std::array<const char*, SVDrawView::kSurveyChoices> kSurveyTitles{
    "POSS2/UKSTU", "POSS2/UKSTU Red", "POSS2/UKSTU Blue", "POSS2/UKSTU IR", "DSS1",
    "POSS1 Red",   "POSS1 Blue",      "Quick V",          "Phase 2",        "DSS1 (ESO)",
    "DSS2 (ESO)",  "DSS (linear)",    "DSS (log)",
};

}  // namespace

SVDrawView::SVDrawView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);

    scopeHelp = new QComboBox(this);
    layout->addWidget(scopeHelp);

    powerText = new QGroupBox(windowsText("Power/Eyepieces"), this);
    auto* rows = new QGridLayout(powerText);
    svEyeRadio = new QButtonGroup(this);
    for (int r = 0; r < kEyeRows; ++r) {
        eyeRows[r] = new QRadioButton(powerText);
        svEyeRadio->addButton(eyeRows[r], r);
        rows->addWidget(eyeRows[r], r % 5, r / 5);
    }
    svPowerSlider = new QSlider(Qt::Horizontal, powerText);
    svPowerSlider->setRange(sliderPosition(SVOptics::kMinPower), sliderPosition(SVOptics::kMaxPower));
    // Arrow keys on the slider move it by a tenth.
    svPowerSlider->setSingleStep(kSliderScale / 10);
    rows->addWidget(svPowerSlider, 5, 0, 1, 2);
    layout->addWidget(powerText);

    serverHelp = new QComboBox(this);
    for (const char* title : kSurveyTitles)
        serverHelp->addItem(title);
    layout->addWidget(serverHelp);
    auto* survey = new QHBoxLayout;
    downloadText = new QPushButton(windowsText("Download"), this);
    cacheText = new QCheckBox(windowsText("Cache"), this);
    survey->addWidget(downloadText);
    survey->addWidget(cacheText);
    layout->addLayout(survey);
    svDSSProgress = new QProgressBar(this);
    layout->addWidget(svDSSProgress);

    auto* cone = new QGridLayout;
    nomadMagPopup = new QComboBox(this);
    nomadMagPopup->addItems({"12.4", "15.4", "18.4"});
    nomadDownloadButton = new QPushButton("NOMAD", this);
    nomadShowMagCheckbox = new QCheckBox("Mag", this);
    nomadCacheCheckbox = new QCheckBox(windowsText("Cache"), this);
    nomadStarChecboxk = new QCheckBox("Stars", this);
    nomadGridCheckbox = new QCheckBox("Grid", this);
    cone->addWidget(nomadMagPopup, 0, 0);
    cone->addWidget(nomadDownloadButton, 0, 1);
    cone->addWidget(nomadShowMagCheckbox, 1, 0);
    cone->addWidget(nomadCacheCheckbox, 1, 1);
    cone->addWidget(nomadStarChecboxk, 2, 0);
    cone->addWidget(nomadGridCheckbox, 2, 1);
    layout->addLayout(cone);
    layout->addStretch();
}

void SVDrawView::setToolTips()
{
    powerText->setToolTip(windowsText("Select the eyepiece to view or set the power"));
    scopeHelp->setToolTip(windowsText("Select the telescope to view"));
    serverHelp->setToolTip(windowsText("Select a Digitized Sky Survey server"));
    downloadText->setToolTip(windowsText(
        "Download a Digitized Sky Survey image (DSS). The FOV must be 1 deg or less."));
    cacheText->setToolTip(windowsText("Select to save the DSS image"));
    svPowerSlider->setToolTip(windowsText("Change the power from 6 to 8000"));
    nomadDownloadButton->setToolTip(
        "Download NOMAD data file. Option key overwrites existing cache file.");
    nomadStarChecboxk->setToolTip("Select to display as stars rather than a red overlay.");
}

void SVDrawView::clearToolTips()
{
    for (QWidget* w : std::initializer_list<QWidget*>{powerText, scopeHelp, serverHelp, downloadText,
                                                      cacheText, svPowerSlider, nomadDownloadButton,
                                                      nomadStarChecboxk})
        w->setToolTip(QString());
}

void SVDrawView::clearEyeSelection()
{
    // An exclusive group keeps one button on; it lets go only while not exclusive.
    svEyeRadio->setExclusive(false);
    for (QRadioButton* row : eyeRows)
        row->setChecked(false);
    svEyeRadio->setExclusive(true);
}

int SVDrawView::selectedEyeRow() const { return svEyeRadio->checkedId(); }

int SVDrawView::sliderPosition(double power)
{
    return int(std::lround(SVOptics::sliderValue(power) * kSliderScale));
}

double SVDrawView::powerAt(int position)
{
    return SVOptics::powerOfSlider(double(position) / kSliderScale);
}
