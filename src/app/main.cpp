#include "app/ChartAssembly.h"
#include "app/FirstChartReport.h"
#include "platform/widgets/DeferredIconStyle.h"
#include "platform/widgets/MessageBoxPresenter.h"

#include "app/RemoteLink.h"
#include "app/ScopeViewAssembly.h"
#include "platform/AlertPanel.h"
#include "remote/speech/LoadedRecognizer.h"
#include "remote/speech/LoadedSpeaker.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    // Before any widget: the application takes the style over.
    QApplication::setStyle(std::make_unique<DeferredIconStyle>().release());
    AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());

    const ChartAssembly::Folders folders = ChartAssembly::Folders::standard();
    ChartAssembly assembly(folders);
    if (!assembly.awakeFromNib())
        return EXIT_FAILURE;
    ScopeViewAssembly scopeView(assembly, folders);
    assembly.remoteLink().eventsBus().registerOnSessionBus();
    // The speech engine and the microphone's recogniser are loaded when first used.
    assembly.remoteLink().setVoice(std::make_unique<LoadedSpeaker>());
    // Only the program itself listens on the microphone; tests give their own recogniser.
    assembly.remoteLink().voiceCommands().setRecognizerFactory(&LoadedRecognizer::create);

    FirstChartReport::watch(assembly.skyWindow().skyView());
    assembly.show();
    return app.exec();
}
