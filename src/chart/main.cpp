#include "chart/MainWindow.h"
#include "chart/MessageBoxPresenter.h"

#include "model/StartupFailure.h"
#include "platform/AlertPanel.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());

    // A required table that cannot be loaded has already shown its alert;
    // the program then ends without loading anything more.
    try {
        MainWindow window;
        window.show();
        return app.exec();
    } catch (const StartupFailure&) {
        return EXIT_FAILURE;
    }
}
