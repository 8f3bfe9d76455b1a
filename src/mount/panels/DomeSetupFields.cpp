#include "mount/panels/DomeSetupFields.h"

#include "mount/panels/DomeToolTips.h"

#include <QButtonGroup>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

constexpr std::array<const char*, DomeSetupFields::kFieldCount> kLabels = {
    "X:", "Y:", "Z:", "R:", "r:", "Flip:", "Home:", "Delta:", "Frequency:"};
constexpr std::array<const char*, DomeSetupFields::kFieldCount> kTips = {
    DomeToolTips::kX,      DomeToolTips::kY,     DomeToolTips::kZ,
    DomeToolTips::kBigR,   DomeToolTips::kSmallR, DomeToolTips::kFlip,
    DomeToolTips::kHome,   DomeToolTips::kDelta, DomeToolTips::kFrequency};

}  // namespace

DomeSetupFields::DomeSetupFields(bool withHome, QWidget* parent)
    : QWidget(parent), m_withHome(withHome), m_mountType(new QButtonGroup(this)),
      m_save(new QPushButton(tr("Save"), this))
{
    auto* form = new QFormLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        auto* edit = new QLineEdit(this);
        // Numbers as the fields show them, whatever the user's locale.
        auto* validator = new QDoubleValidator(edit);
        validator->setLocale(QLocale::c());
        edit->setValidator(validator);
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
    const std::array<double, kFieldCount> numbers = {
        v.x, v.y, v.z, v.bigR, v.smallR, v.flip, v.homeAzimuth, v.delta, v.frequency};
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[std::size_t(i)]->setText(QString::number(numbers[std::size_t(i)]));
}

DomeSetupFields::Values DomeSetupFields::values(const Values& shown)
{
    std::array<double, kFieldCount> numbers = {shown.x,      shown.y,           shown.z,
                                               shown.bigR,   shown.smallR,      shown.flip,
                                               shown.homeAzimuth, shown.delta, shown.frequency};
    for (int i = 0; i < kFieldCount; ++i) {
        QLineEdit* edit = m_fields[std::size_t(i)];
        bool ok = false;
        const double number = edit->text().toDouble(&ok);
        if (ok && std::isfinite(number))
            numbers[std::size_t(i)] = number;
        else
            edit->setText(QString::number(numbers[std::size_t(i)]));
    }
    return {numbers[kX],      numbers[kY],           numbers[kZ],
            numbers[kBigR],   numbers[kSmallR],      numbers[kFlip],
            float(numbers[kHome]), float(numbers[kDelta]), float(numbers[kFrequency])};
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
