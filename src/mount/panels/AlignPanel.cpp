#include "mount/panels/AlignPanel.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/ScopeControl.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/WindowStacking.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace {

const char* const kNoAzError = "Az Error: ----";
const char* const kNoAltError = "Alt Error: ----";

}  // namespace

AlignPanel::AlignPanel(PrefControl& prefs, ScopeControl& scope, SkyDateModel& skyDate, Finder finder,
                       QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_prefs(prefs),
      m_scope(scope),
      m_skyDate(skyDate),
      m_finder(std::move(finder)),
      m_azError(new QLabel(QString::fromUtf8(kNoAzError), this)),
      m_altError(new QLabel(QString::fromUtf8(kNoAltError), this))
{
    setModal(false);
    setWindowTitle(tr("Polar Alignment"));
    auto* grid = new QGridLayout(this);
    const std::array<QString, 3> steps{tr("3. Record the first star"), tr("4. Record the second star"),
                                       tr("5. Read the mount on the second star")};
    for (int step = kStep3; step <= kStep5; ++step) {
        auto* button = new QPushButton(steps[size_t(step - kStep3)], this);
        connect(button, &QPushButton::clicked, this, [this, step] { alignButtonAction(step); });
        auto* mark = new QLabel(QStringLiteral("✓"), this);
        mark->hide();
        m_checkMarks[size_t(step - kStep3)] = mark;
        grid->addWidget(button, step - kStep3, 0);
        grid->addWidget(mark, step - kStep3, 1);
    }
    grid->addWidget(m_azError, 3, 0, 1, 2);
    grid->addWidget(m_altError, 4, 0, 1, 2);
}

void AlignPanel::show() { WindowStacking::bringToFront(*this); }

void AlignPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_isPlaced) {
        m_isPlaced = true;
        ScreenPlacement::toLowerLeft(*this);
    }
}

QLabel* AlignPanel::checkMark(int step) const
{
    return m_checkMarks[size_t(step - kStep3)];
}

bool AlignPanel::isCheckMarkShown(int step) const
{
    return step >= kStep3 && step <= kStep5 && !checkMark(step)->isHidden();
}

QString AlignPanel::azErrorText() const
{
    return m_azError->text();
}

QString AlignPanel::altErrorText() const
{
    return m_altError->text();
}

void AlignPanel::debug(const QString& line) const
{
    m_scope.writeDebugFile(line);
}

void AlignPanel::alignButtonAction(int tag)
{
    switch (tag) {
    case kStep3:
        m_stars[0] = m_finder.trackPosition();
        m_azError->setText(QString::fromUtf8(kNoAzError));
        m_altError->setText(QString::fromUtf8(kNoAltError));
        checkMark(kStep3)->show();
        checkMark(kStep4)->hide();
        checkMark(kStep5)->hide();
        calcRAString(m_stars[0].ra, m_stars[0].dec);
        debug(QStringLiteral("Align step 3 ra: %1, dec: %2").arg(m_raStr, m_decStr));
        break;
    case kStep4:
        m_stars[1] = m_finder.trackPosition();
        if (isCheckMarkShown(kStep3))
            checkMark(kStep4)->show();
        calcRAString(m_stars[1].ra, m_stars[1].dec);
        debug(QStringLiteral("Align step 4 ra: %1, dec: %2").arg(m_raStr, m_decStr));
        break;
    case kStep5:
        // The mount is read through its worker like any poll, so only while
        // no exchange is under way.
        if (!m_scope.checkSerialCom() || m_scope.isPolling() || m_scope.isSerialCmd()) {
            AlertPanel::beep();
            AlertPanel::runAlert(QStringLiteral("Scope communication is busy."), QStringLiteral("Try again!"));
            return;
        }
        m_scope.readScopePosition([this](bool ok) { positionRead(ok); });
        break;
    default:
        break;
    }
}

void AlignPanel::positionRead(bool ok)
{
    if (!ok) {
        debug(QStringLiteral("Align button 5 failed to read RA/Dec"));
        AlertPanel::runAlert(QStringLiteral("Scope read failed."), QStringLiteral("Try again!"));
        return;
    }
    m_dRA = m_scope.scopeRA() * Angles::kDegToRad - m_stars[1].ra;
    m_dDec = m_scope.scopeDec() * Angles::kDegToRad - m_stars[1].dec;
    debug(QStringLiteral("Align step 5 button"));
    if (!calcData())
        return;
    m_finder.setIsAlignAdjust(true);
    if (isCheckMarkShown(kStep3) && isCheckMarkShown(kStep4))
        checkMark(kStep5)->show();
}

void AlignPanel::getSiteData()
{
    m_skyDate.calculateDate(std::nullopt, 0.0);
    m_lat = m_prefs.latitude() * Angles::kDegToRad;
    m_pm = m_skyDate.primeMeridian() * Angles::kDegToRad;
}

bool AlignPanel::calcData()
{
    getSiteData();
    double det = 0.0;
    if (!m_alignment.calcData(m_lat, m_pm, m_stars, {m_dRA, m_dDec}, &det)) {
        AlertPanel::runAlert(QStringLiteral("Can not calculate determinant."),
                             QStringLiteral("Select different stars"));
        debug(QString::asprintf("Align det range error: %f", det));
        return false;
    }
    debug(QString::asprintf("Align calcData det: %f", det));
    const QString az = PolarAlignment::errorText("Az Error", m_alignment.dAz());
    const QString alt = PolarAlignment::errorText("Alt Error", m_alignment.dAlt());
    m_azError->setText(az);
    m_altError->setText(alt);
    m_azError->repaint();
    m_altError->repaint();
    debug(az);
    debug(alt);
    return true;
}

bool AlignPanel::calcDelta()
{
    const PolarAlignment::Offset offset = m_alignment.delta();
    m_dRA = offset.dRA;
    m_dDec = offset.dDec;
    if (m_prefs.isDebug()) {
        calcRAString(m_dRA, m_dDec);
        debug(QStringLiteral("Align calcDelta dRA: %1, dDec: %2").arg(m_raStr, m_decStr));
    }
    if (!m_alignment.calcDelta()) {
        AlertPanel::runAlert(QStringLiteral("Can not calculate star offset."),
                             QStringLiteral("Original alignment error is too large."));
        return false;
    }
    return true;
}

void AlignPanel::calcRAString(double ra, double dec)
{
    m_raStr = PolarAlignment::raText(ra);
    m_decStr = PolarAlignment::decText(dec);
}
