#include "chart/MainWindow.h"
#include "chart/MessageBoxPresenter.h"

#include "platform/AlertPanel.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());

    MainWindow window;
    window.show();
    return app.exec();
}
