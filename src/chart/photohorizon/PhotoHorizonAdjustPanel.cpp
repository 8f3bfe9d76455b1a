#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"

#include "chart/photohorizon/OpenGLView.h"
#include "chart/photohorizon/PhotoHorizonSphere.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ScreenPlacement.h"
#include "skydraw/ChartDisplay.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHideEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {

// Where the panel goes when it does not lie on the only screen.
constexpr QPoint kScreenCorner(20, 20);

struct SliderRow {
    const char* label;
    double minimum, maximum;
    double scale;  // slider steps per stored unit
};
constexpr SliderRow kSliders[] = {
    {"Brightness", -10.0, 10.0, 10.0},
    {"Direction", -180.0, 180.0, 10.0},
    {"Elevation", -10.0, 10.0, 100.0},
};

constexpr const char* kBands[PhotoHorizonSphere::kNumBands] = {"All", "±75°", "±60°", "±45°", "±30°", "±15°"};

QString shown(double value) { return QString::number(value, 'f', 2); }

}  // namespace

PhotoHorizonAdjustPanel::PhotoHorizonAdjustPanel(PrefControl& prefs, OpenGLView& openGLView, ChartDisplay& skyView,
                                                 QWidget* parent)
    : QDialog(parent, Qt::Tool), m_prefs(prefs), m_openGLView(openGLView),
      m_skyView(skyView)
{
    setWindowTitle(tr("Photo Horizon Adjust"));
    setModal(false);
    auto* layout = new QGridLayout(this);

    auto radioRow = [&](int tag, const QStringList& labels, const QString& title) {
        auto* group = new QButtonGroup(this);
        auto* row = new QHBoxLayout;
        for (int column = 0; column < labels.size(); ++column) {
            auto* button = new QRadioButton(labels[column], this);
            group->addButton(button, column);
            row->addWidget(button);
        }
        group->button(0)->setChecked(true);
        connect(group, &QButtonGroup::idClicked, this, [this, tag] { photoHorizonRadio(tag); });
        layout->addWidget(new QLabel(title, this), tag - 1, 0);
        layout->addLayout(row, tag - 1, 1, 1, 2);
        m_radios[std::size_t(tag - 1)] = group;
    };
    radioRow(SiteRadio, {tr("Home"), "2", "3", "4", "5"}, tr("Site"));
    QStringList bands;
    for (const char* band : kBands)
        bands << QString::fromUtf8(band);
    radioRow(DegreeRadio, bands, tr("Altitudes"));

    for (int i = 0; i < int(m_sliders.size()); ++i) {
        const SliderRow& row = kSliders[i];
        const int tag = i + 1;
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(int(row.minimum * row.scale), int(row.maximum * row.scale));
        connect(slider, &QSlider::valueChanged, this, [this, tag] { photoHorizonSlider(tag); });
        auto* text = new QLabel(shown(0.0), this);
        text->setMinimumWidth(60);
        layout->addWidget(new QLabel(tr(row.label), this), 2 + i, 0);
        layout->addWidget(slider, 2 + i, 1);
        layout->addWidget(text, 2 + i, 2);
        m_sliders[std::size_t(i)] = slider;
        m_texts[std::size_t(i)] = text;
    }
    m_texts[ElevSlider - 1]->setText(shown(kElevationShown));
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { storeAdjustments(); });
}

double PhotoHorizonAdjustPanel::sliderValue(int tag) const
{
    return m_sliders[std::size_t(tag - 1)]->value() / kSliders[tag - 1].scale;
}

void PhotoHorizonAdjustPanel::setSlider(int tag, double value)
{
    QSlider& s = slider(tag);
    // Loading is no move: the renderer keeps its value even where the slider cannot show it.
    const QSignalBlocker quiet(s);
    const double steps = std::round(value * kSliders[tag - 1].scale);
    s.setValue(int(std::clamp(steps, double(s.minimum()), double(s.maximum()))));
}

void PhotoHorizonAdjustPanel::loadSite(int site)
{
    if (QAbstractButton* button = radio(SiteRadio).button(site))
        button->setChecked(true);
    // A band above 5 draws the whole sphere, as "All" does.
    QAbstractButton* band = radio(DegreeRadio).button(m_openGLView.photoDegreeAdj(site));
    (band ? band : radio(DegreeRadio).button(0))->setChecked(true);
    const double bright = m_openGLView.photoBrightAdj(site);
    const double direction = m_openGLView.photoDirAdj(site);
    const double elevation = m_openGLView.photoElevAdj(site);
    setSlider(BrightSlider, bright);
    setSlider(DirSlider, direction);
    setSlider(ElevSlider, elevation);
    m_texts[BrightSlider - 1]->setText(shown(bright));
    m_texts[DirSlider - 1]->setText(shown(direction));
    m_texts[ElevSlider - 1]->setText(shown(kElevationShown - elevation));
}

void PhotoHorizonAdjustPanel::updatePanel() { loadSite(m_prefs.currentSite()); }

void PhotoHorizonAdjustPanel::photoHorizonRadio(int tag)
{
    const int site = radio(SiteRadio).checkedId();
    if (tag == SiteRadio) {
        loadSite(site);
    } else if (tag == DegreeRadio) {
        m_openGLView.setPhotoDegreeAdj(quint16(site), quint16(radio(DegreeRadio).checkedId()));
        m_skyView.display();
    }
}

void PhotoHorizonAdjustPanel::photoHorizonSlider(int tag)
{
    const auto site = quint16(radio(SiteRadio).checkedId());
    const auto value = float(sliderValue(tag));
    switch (tag) {
    case BrightSlider:
        m_openGLView.setPhotoBrightAdj(site, value);
        m_texts[BrightSlider - 1]->setText(shown(value));
        break;
    case DirSlider:
        m_openGLView.setPhotoDirAdj(site, value);
        m_texts[DirSlider - 1]->setText(shown(value));
        break;
    case ElevSlider:
        m_openGLView.setPhotoElevAdj(site, value);
        m_texts[ElevSlider - 1]->setText(shown(kElevationShown - value));
        break;
    default:
        return;
    }
    m_skyView.display();
}

void PhotoHorizonAdjustPanel::storeAdjustments()
{
    m_prefs.setPhotoDirAdjHorizon();
    m_prefs.setPhotoElevAdjHorizon();
    m_prefs.setPhotoBrightAdjHorizon();
    m_prefs.setPhotoDegreeAdjHorizon();
}

void PhotoHorizonAdjustPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_isPlaced)
        return;
    m_isPlaced = true;
    ScreenPlacement::toPoint(*this, kScreenCorner);
}

void PhotoHorizonAdjustPanel::hideEvent(QHideEvent* event)
{
    // Closing and hiding from the Setup menu both keep what was set.
    QDialog::hideEvent(event);
    storeAdjustments();
    if (!event->spontaneous())
        m_skyView.display();
}
