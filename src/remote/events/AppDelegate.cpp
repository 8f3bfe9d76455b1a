#include "remote/events/AppDelegate.h"

#include "find/FindResultCode.h"
#include "find/TypedPosition.h"
#include "find/tours/TourControl.h"
#include "find/tours/TourFinder.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "remote/events/AppleEventCodes.h"
#include "remote/events/EventParameters.h"
#include "remote/events/RemoteFinder.h"
#include "remote/events/RemoteGuider.h"
#include "remote/events/RemoteMount.h"
#include "remote/speech/Speaker.h"

#include <algorithm>
#include <limits>

using namespace AppleEventCodes;

namespace {

constexpr double kRadiansToDegrees = 57.2957795130823;

QString key(const char* code) { return QLatin1String(code); }

}  // namespace

AppDelegate::AppDelegate(PrefControl& prefs, QObject* parent) : QObject(parent), m_prefs(prefs) {}

std::optional<QVariantMap> AppDelegate::handleEvent(const QString& eventClass, const QString& eventId,
                                                    const QVariantMap& parameters)
{
    if (eventClass == key(kGuideClass) && eventId == key(kGuide))
        return phdGuide(parameters);
    if (eventClass != key(kPlannerClass))
        return std::nullopt;
    const bool known = eventId == key(kScopeObject) || eventId == key(kMessage) ||
                       eventId == key(kPositionRequest);
    if (!known)
        return std::nullopt;
    if (!m_prefs.isAstroplanner())
        return QVariantMap();
    if (eventId == key(kScopeObject))
        scopeObject(parameters);
    else if (eventId == key(kMessage))
        setApMessage(parameters);
    else
        scopePosnRequest();
    return QVariantMap();
}

void AppDelegate::scopeObject(const QVariantMap& parameters)
{
    const double ra = EventParameters::number(parameters, kRA) * kRadiansToDegrees;
    const float dec = float(EventParameters::number(parameters, kDec) * kRadiansToDegrees);
    const auto named = [&](const char* code, const char* empty) {
        const std::optional<QString> text = EventParameters::text(parameters, code, kNameBuffer);
        if (!text)
            return QStringLiteral(" ");
        return text->isEmpty() ? QString::fromLatin1(empty) : *text;
    };
    const QString id = named(kId, "NoID");
    const QString name = named(kName, "NoName");
    if (!m_finder)
        return;
    if (m_finder->findVoiceName(id) == findResultNotFound &&
        m_finder->findVoiceName(name) == findResultNotFound &&
        m_finder->findVoiceName(TypedPosition::format(float(ra), dec)) == findResultNotFound)
        return;
    m_finder->findTrackAction();
}

void AppDelegate::setApMessage(const QVariantMap& parameters)
{
    const std::optional<QString> text = EventParameters::text(parameters, kMessageText, kMessageBuffer);
    if (text && !text->isEmpty())
        AlertPanel::postAlert(*text, QStringLiteral(" "));
}

void AppDelegate::scopePosnRequest()
{
    if (!m_finder)
        return;
    emit outgoingEvent(key(kPlannerSignature), key(kPlannerClass), key(kPositionRequest),
                       {{key(kRA), m_finder->trackRA()},
                        {key(kDec), m_finder->trackDec()},
                        {key(kId), EventParameters::ascii(m_prefs.findName())}});
}

void AppDelegate::sendAPClick(bool flag)
{
    m_isAPCommand = flag;
    if (!m_prefs.isAstroplanner())
        return;
    emit outgoingEvent(key(kPlannerSignature), key(kPlannerClass), key(kChartClick),
                       {{key(kRA), m_APra},
                        {key(kDec), m_APdec},
                        {key(kId), m_APid},
                        {key(kName), m_APnm},
                        {key(kType), QVariant::fromValue<short>(m_APtype)},
                        {key(kMagnitude), m_APmag},
                        {key(kSize), m_APfov},
                        {key(kClickFlag), flag}});
}

void AppDelegate::setAPid(const QString& id) { m_APid = EventParameters::utf8Prefix(id, kPlannerTextBytes); }

void AppDelegate::setAPname(const QString& name)
{
    m_APnm = EventParameters::utf8Prefix(name, kPlannerTextBytes);
}

QVariantMap AppDelegate::phdGuide(const QVariantMap& parameters)
{
    const double ew = EventParameters::number(parameters, kEastWest);
    const double ns = EventParameters::number(parameters, kNorthSouth);
    writeDebug(QString::asprintf("appDelagate PHD: ew= %f, ns= %f.", ew, ns));
    if (!hasMount())
        m_phdReturnCode = -1;
    else if (!m_prefs.isPrecession())
        m_phdReturnCode = -2;
    else if (ew == 0.0 && ns == 0.0)
        m_phdReturnCode = 1;
    else
        m_phdReturnCode = 0;
    // Clamped into float's range, where the guider refuses what it cannot make.
    const double most = double(std::numeric_limits<float>::max());
    if (m_phdReturnCode == 0 && m_guider
        && !m_guider->phdGuideControl(float(std::clamp(ew, -most, most)), float(std::clamp(ns, -most, most))))
        m_phdReturnCode = kCorrectionRefused;
    writeDebug(QString::asprintf("appDelagate PHD returned: %d.", m_phdReturnCode));
    return {{key(kResultCode), QVariant::fromValue<short>(m_phdReturnCode)}};
}

void AppDelegate::setFindObject(const QString& text)
{
    if (!m_finder)
        return;
    int result = findResultNotFound;
    QString name;
    bool stepped = true;
    if (text.compare(u"next", Qt::CaseInsensitive) == 0) {
        result = m_finder->voiceTrack(TourControl::kVoiceNext);
    } else if (text.compare(u"previous", Qt::CaseInsensitive) == 0) {
        result = m_finder->voiceTrack(TourControl::kVoicePrevious);
    } else {
        result = m_finder->findVoiceName(text);
        name = text;
        stepped = false;
    }
    if (stepped)
        name = m_prefs.findName();
    switch (result) {
    case findResultAmbiguous:
        speak(QStringLiteral("Please use comet name."));
        break;
    case findResultBelowHorizon:
        speak(name + QStringLiteral(" is below the horizon."));
        break;
    case findResultNotFound:
        speak(name + QStringLiteral(" can not be found."));
        break;
    case findResultFound:
        // A tour step has already tracked its object.
        if (!stepped)
            m_finder->trackObject();
        speak(QStringLiteral("Tracking ") + name);
        break;
    case findResultFiltered:
        speak(name + QStringLiteral(" is filtered out."));
        break;
    case TourFinder::findResultSlewing:
        speak(QStringLiteral("Wait until scope stops slewing"));
        break;
    default:
        break;
    }
}

bool AppDelegate::hasMount() const { return m_mount && m_mount->isConnected(); }

double AppDelegate::scopeAzimuth() const { return hasMount() ? m_mount->scopeAz() : kNoMount; }

double AppDelegate::scopeRA() const { return hasMount() ? m_mount->scopeRA() : kNoMount; }

double AppDelegate::scopeDec() const { return hasMount() ? m_mount->scopeDec() : kNoMount; }

void AppDelegate::setScopeConnect(int n)
{
    if (n <= 0 || !m_mount)
        return;
    m_mount->scopeConnect(n - 1);
    m_mount->setTimerRate(0.0f);
}

double AppDelegate::scopeSlewDetect()
{
    if (!hasMount())
        return kNoMount;
    m_mount->genericSlewDetect();
    return m_mount->isSlewing() ? 1.0 : 0.0;
}

void AppDelegate::writeDebug(const QString& line)
{
    if (m_prefs.isDebug() && m_mount)
        m_mount->writeDebugFile(line);
}

void AppDelegate::speak(const QString& text)
{
    if (m_voice)
        m_voice->startSpeakingString(text);
}
