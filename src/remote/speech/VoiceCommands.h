#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AppDelegate;
class CommandRecognizer;
class PrefControl;
class Speaker;
class VoiceChart;

// The 39 spoken commands: turn the chart, switch display layers, zoom, and
// find and track the planets or the tour's objects, each answered aloud.
class VoiceCommands {
public:
    // Makes a recogniser, or nothing when none can be made.
    using RecognizerFactory = std::function<std::unique_ptr<CommandRecognizer>()>;

    VoiceCommands(PrefControl& prefs, AppDelegate& delegate);
    ~VoiceCommands();

    void setChart(VoiceChart* chart) { m_chart = chart; }
    void setVoice(Speaker* voice) { m_voice = voice; }
    void setRecognizerFactory(RecognizerFactory factory) { m_factory = std::move(factory); }

    // The command texts in the recogniser's order.
    static QStringList commands();

    // Runs the command whose text is exactly `command`; any other text does nothing.
    void didRecognizeCommand(const QString& command);

    // Stops listening when listening; otherwise starts, beeping and staying
    // off when no recogniser can start.
    void setListen();
    bool isListening() const { return m_sRec != nullptr; }

private:
    void speak(const QString& text);

    PrefControl& m_prefs;
    AppDelegate& m_delegate;
    VoiceChart* m_chart = nullptr;
    Speaker* m_voice = nullptr;
    RecognizerFactory m_factory;
    std::unique_ptr<CommandRecognizer> m_sRec;
};
