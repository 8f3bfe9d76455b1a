#include "remote/speech/VoiceCommands.h"

#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "remote/events/AppDelegate.h"
#include "remote/speech/CommandRecognizer.h"
#include "remote/speech/Speaker.h"
#include "remote/speech/VoiceChart.h"

#include <algorithm>
#include <iterator>

namespace {

enum class Kind { Look, Show, Track, Zoom };

struct Command {
    const char* text;
    Kind kind;
    // Look: the direction; Show: the layer's item.
    int code = 0;
    // Zoom: the field, degrees.
    double degrees = 0.0;
    // Look and Zoom: the answer; Show: its subject, before " displayed.";
    // Track: the name handed to the finder.
    const char* words = "";
    // Show: the layer's switch, read after the flip.
    bool (PrefSwitches::*state)() const = nullptr;
};

const Command kCommands[] = {
    {"Look east", Kind::Look, 3, 0.0, "Looking east"},
    {"Look north", Kind::Look, 1, 0.0, "Looking north"},
    {"Look south", Kind::Look, 2, 0.0, "Looking south"},
    {"look west", Kind::Look, 4, 0.0, "Looking west"},
    {"Look to zenith", Kind::Look, 6, 0.0, "Looking at zenith"},
    {"Look to forty five degrees", Kind::Look, 5, 0.0, "Looking at forty five degrees"},
    {"Show altitude grid", Kind::Show, 4, 0.0, "Altitude grid is", &PrefSwitches::isAlt_Az},
    {"Show below horizon", Kind::Show, 14, 0.0, "Below the horizon is", &PrefSwitches::isBelow},
    {"Show boundaries", Kind::Show, 2, 0.0, "Boundaries are", &PrefSwitches::isBoundaries},
    {"Show comet names", Kind::Show, 10, 0.0, "Comet names are", &PrefSwitches::isCometNames},
    {"Show constellations", Kind::Show, 1, 0.0, "Constellations are", &PrefSwitches::isConstellations},
    {"Show deep sky objects", Kind::Show, 9, 0.0, "Deep sky names are", &PrefSwitches::isDeepSkyNames},
    {"Show ecliptic", Kind::Show, 5, 0.0, "Ecliptic is", &PrefSwitches::isEcliptic},
    {"Show equator", Kind::Show, 6, 0.0, "Equator is", &PrefSwitches::isEquator},
    {"Show horizon mist", Kind::Show, 15, 0.0, "Horizon mist is", &PrefSwitches::isMist},
    {"Show meteors", Kind::Show, 16, 0.0, "Meteors are", &PrefSwitches::isMeteor},
    {"Show milky way", Kind::Show, 11, 0.0, "Milky Way is", &PrefSwitches::isMilkyWay},
    {"Show photos", Kind::Show, 13, 0.0, "Photos are", &PrefSwitches::isPhoto},
    {"Show planet names", Kind::Show, 7, 0.0, "Planet names are", &PrefSwitches::isPlanetNames},
    {"Show planet paths", Kind::Show, 12, 0.0, "Planet paths are", &PrefSwitches::isPath},
    {"Show RA grid", Kind::Show, 3, 0.0, "RA grid is", &PrefSwitches::isRA_Dec},
    {"Show star names", Kind::Show, 8, 0.0, "Star names are", &PrefSwitches::isStarNames},
    {"Track mercury", Kind::Track, 0, 0.0, "mercury"},
    {"Track venus", Kind::Track, 0, 0.0, "venus"},
    {"Track mars", Kind::Track, 0, 0.0, "mars"},
    {"Track jupiter", Kind::Track, 0, 0.0, "jupiter"},
    {"Track saturn", Kind::Track, 0, 0.0, "saturn"},
    {"Track uranus", Kind::Track, 0, 0.0, "uranus"},
    {"Track neptune", Kind::Track, 0, 0.0, "neptune"},
    {"Track pluto", Kind::Track, 0, 0.0, "pluto"},
    {"Track moon", Kind::Track, 0, 0.0, "Moon"},
    {"Track next", Kind::Track, 0, 0.0, "next"},
    {"Track previous", Kind::Track, 0, 0.0, "previous"},
    {"Zoom to ninety degrees", Kind::Zoom, 0, 90.0, "Zoomed to ninety degrees."},
    {"Zoom to one eighty degrees", Kind::Zoom, 0, 180.0, "Zoomed to one hundred eighty degrees."},
    {"Zoom to one twenty degrees", Kind::Zoom, 0, 120.0, "Zoomed to one hundred twenty degrees."},
    {"Zoom to sixty degrees", Kind::Zoom, 0, 60.0, "Zoomed to sixty degrees."},
    {"Zoom to thirty degrees", Kind::Zoom, 0, 30.0, "Zoomed to thirty degrees."},
    // The all-sky view.
    {"Zoom to three sixty degrees", Kind::Zoom, 0, 185.0, "Zoomed to three sixty degrees."},
};
static_assert(std::size(kCommands) == 39);

}  // namespace

VoiceCommands::VoiceCommands(PrefControl& prefs, AppDelegate& delegate) : m_prefs(prefs), m_delegate(delegate) {}

VoiceCommands::~VoiceCommands()
{
    if (m_sRec)
        m_sRec->stopListening();
}

QStringList VoiceCommands::commands()
{
    QStringList texts;
    for (const Command& command : kCommands)
        texts << QString::fromLatin1(command.text);
    return texts;
}

void VoiceCommands::didRecognizeCommand(const QString& text)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&](const Command& c) { return text == QLatin1String(c.text); });
    if (it == std::end(kCommands))
        return;
    const QString words = QString::fromLatin1(it->words);
    switch (it->kind) {
    case Kind::Look:
        if (m_chart)
            m_chart->lookDirection(it->code);
        speak(words);
        break;
    case Kind::Show:
        if (m_chart)
            m_chart->setItem(it->code);
        speak(words + ((m_prefs.*(it->state))() ? QStringLiteral(" displayed.") : QStringLiteral(" not displayed.")));
        break;
    case Kind::Track:
        m_delegate.setFindObject(words);
        break;
    case Kind::Zoom:
        if (m_chart)
            m_chart->zoomAngle(it->degrees);
        speak(words);
        break;
    }
}

void VoiceCommands::setListen()
{
    if (m_sRec) {
        m_sRec->stopListening();
        m_sRec.reset();
        return;
    }
    std::unique_ptr<CommandRecognizer> recognizer = m_factory ? m_factory() : nullptr;
    if (!recognizer ||
        !recognizer->startListening(commands(), [this](const QString& command) { didRecognizeCommand(command); })) {
        AlertPanel::beep();
        return;
    }
    m_sRec = std::move(recognizer);
}

void VoiceCommands::speak(const QString& text)
{
    if (m_voice)
        m_voice->startSpeakingString(text);
}
