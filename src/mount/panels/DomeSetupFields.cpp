#include "mount/panels/DomeSetupFields.h"

#include "mount/panels/DomeFieldRange.h"
#include "mount/panels/DomeToolTips.h"
#include "platform/widgets/RefusalNote.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <charconv>
#include <cmath>

namespace {

constexpr std::array<const char*, DomeSetupFields::kFieldCount> kTips = {
    DomeToolTips::kX,      DomeToolTips::kY,     DomeToolTips::kZ,
    DomeToolTips::kBigR,   DomeToolTips::kSmallR, DomeToolTips::kFlip,
    DomeToolTips::kHome,   DomeToolTips::kDelta, DomeToolTips::kFrequency};

// Lengths share whatever unit the user measured in; this bound lets a
// dome of 100 m be given in millimetres.
constexpr double kLength = 100000.0;

// The tracking interval, seconds: a timer of under a second would keep the
// dome's port busy, and one of over an hour no longer follows the sky. The
// lead is at most a quarter turn; a negative one would turn the dome on every
// check. An azimuth is 0 to 360 (both north); the flip limit lies within a
// quarter turn of the meridian either way.
constexpr std::array<DomeFieldRange, DomeSetupFields::kFieldCount> kRanges = {{
    {"X", -kLength, kLength, ""},
    {"Y", -kLength, kLength, ""},
    {"Z", -kLength, kLength, ""},
    {"R", 0.0, kLength, ""},
    {"r", 0.0, kLength, ""},
    {"Flip", -90.0, 90.0, " degrees"},
    {"Home", 0.0, 360.0, " degrees"},
    {"Delta", 0.0, 90.0, " degrees"},
    {"Frequency", 1.0, 3600.0, " seconds"},
}};

const QString kOutsideTheDome = QStringLiteral(
    "The mount must stand inside the dome: its centre's distance from the dome's centre plus r must be "
    "less than R.");

// A German mount's tube centre lies within r of the mount centre; outside
// the dome sphere the line of sight would meet it nowhere. R of 0 is a dome
// not yet measured, which the azimuth calculation refuses by itself.
bool isInsideTheDome(double x, double y, double z, double bigR, double smallR)
{
    return bigR == 0.0 || std::hypot(x, y, z) + smallR < bigR;
}

// The shortest text that reads back as the same value, so that showing a
// value and saving it again loses nothing.
template <typename Number>
QString shownText(Number value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, end - text);
}

}  // namespace

DomeSetupFields::DomeSetupFields(bool withHome, QWidget* parent)
    : QWidget(parent), m_withHome(withHome), m_mountType(new QButtonGroup(this)),
      m_save(new QPushButton(tr("Save"), this)),
      m_note(new RefusalNote(this))
{
    auto* form = new QFormLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        auto* edit = new QLineEdit(this);
        m_fields[std::size_t(i)] = edit;
        if (i == kHome && !withHome)
            edit->hide();
        else
            form->addRow(tr(kRanges[std::size_t(i)].name) + QLatin1Char(':'), edit);
    }
    auto* fork = new QRadioButton(tr("Fork"), this);
    auto* german = new QRadioButton(tr("GEM"), this);
    m_mountType->addButton(fork, 0);
    m_mountType->addButton(german, 1);
    auto* types = new QHBoxLayout;
    types->addWidget(fork);
    types->addWidget(german);
    form->addRow(types);
    form->addRow(m_note);
    form->addRow(m_save);
    setLayout(form);
    setIsGEM(false);

    connect(m_mountType, &QButtonGroup::idClicked, this, [this](int column) {
        setIsGEM(column == 1);
        emit mountTypeChosen(m_isGEM);
    });
    connect(m_save, &QPushButton::clicked, this, &DomeSetupFields::saveRequested);
}

void DomeSetupFields::setValues(const Values& v)
{
    const std::array<QString, kFieldCount> texts = {
        shownText(v.x),           shownText(v.y),     shownText(v.z),
        shownText(v.bigR),        shownText(v.smallR), shownText(v.flip),
        shownText(v.homeAzimuth), shownText(v.delta), shownText(v.frequency)};
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[std::size_t(i)]->setText(texts[std::size_t(i)]);
}

DomeSetupFields::Values DomeSetupFields::values(const Values& shown)
{
    std::array<double, kFieldCount> numbers = {shown.x,      shown.y,           shown.z,
                                               shown.bigR,   shown.smallR,      shown.flip,
                                               shown.homeAzimuth, shown.delta, shown.frequency};
    QStringList refusals;
    for (int i = 0; i < kFieldCount; ++i) {
        if (i == kHome && !m_withHome)
            continue;
        const DomeFieldRange::Reading reading = kRanges[std::size_t(i)].read(m_fields[std::size_t(i)]->text());
        if (reading.value)
            numbers[std::size_t(i)] = *reading.value;
        else
            refusals << reading.refusal;
    }
    if (m_isGEM && !isInsideTheDome(numbers[kX], numbers[kY], numbers[kZ], numbers[kBigR], numbers[kSmallR])) {
        refusals << kOutsideTheDome;
        numbers[kX] = shown.x;
        numbers[kY] = shown.y;
        numbers[kZ] = shown.z;
        numbers[kBigR] = shown.bigR;
        numbers[kSmallR] = shown.smallR;
    }
    const Values taken = {numbers[kX],      numbers[kY],           numbers[kZ],
                          numbers[kBigR],   numbers[kSmallR],      numbers[kFlip],
                          float(numbers[kHome]), float(numbers[kDelta]), float(numbers[kFrequency])};
    // Refused fields show the value kept; the others what was taken.
    setValues(taken);
    if (refusals.isEmpty())
        m_note->clearNote();
    else
        m_note->refuse(refusals.join(QLatin1Char('\n')));
    return taken;
}

QString DomeSetupFields::refusalText() const
{
    return m_note->text();
}

void DomeSetupFields::setIsGEM(bool gem)
{
    m_isGEM = gem;
    for (int i = 0; i < kGeometryFields; ++i)
        m_fields[std::size_t(i)]->setEnabled(gem);
    m_mountType->button(gem ? 1 : 0)->setChecked(true);
}

void DomeSetupFields::setToolTips()
{
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[std::size_t(i)]->setToolTip(QString::fromUtf8(kTips[std::size_t(i)]));
    for (QAbstractButton* button : m_mountType->buttons())
        button->setToolTip(DomeToolTips::kMountType);
}

void DomeSetupFields::clearToolTips()
{
    for (QLineEdit* edit : m_fields)
        edit->setToolTip({});
    for (QAbstractButton* button : m_mountType->buttons())
        button->setToolTip({});
}
