#include "mount/panels/DomeSetupFields.h"

#include "mount/panels/DomeToolTips.h"
#include "platform/TypedNumber.h"
#include "platform/widgets/RefusalNote.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <charconv>

namespace {

constexpr std::array<const char*, DomeSetupFields::kFieldCount> kLabels = {
    "X:", "Y:", "Z:", "R:", "r:", "Flip:", "Home:", "Delta:", "Frequency:"};
constexpr std::array<const char*, DomeSetupFields::kFieldCount> kTips = {
    DomeToolTips::kX,      DomeToolTips::kY,     DomeToolTips::kZ,
    DomeToolTips::kBigR,   DomeToolTips::kSmallR, DomeToolTips::kFlip,
    DomeToolTips::kHome,   DomeToolTips::kDelta, DomeToolTips::kFrequency};

// The tracking interval, seconds: a timer of under a second would keep the
// dome's port busy, and one of over an hour no longer follows the sky.
constexpr double kFrequencyMin = 1.0;
constexpr double kFrequencyMax = 3600.0;

const QString kNotANumber = QStringLiteral("%1 is not a number.");
const QString kFrequencyRange = QStringLiteral("Frequency must be from %1 to %2 seconds.");

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
            form->addRow(tr(kLabels[std::size_t(i)]), edit);
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
        const std::optional<double> number = TypedNumber::read(m_fields[std::size_t(i)]->text());
        if (!number)
            refusals << kNotANumber.arg(QString::fromLatin1(kLabels[std::size_t(i)]).chopped(1));
        else if (i == kFrequency && (*number < kFrequencyMin || *number > kFrequencyMax))
            refusals << kFrequencyRange.arg(kFrequencyMin).arg(kFrequencyMax);
        else
            numbers[std::size_t(i)] = *number;
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
