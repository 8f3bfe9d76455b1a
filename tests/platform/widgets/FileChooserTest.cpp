#include "platform/widgets/FileChooser.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next file panel with `answer` once it shows; whether it stood on top.
struct PanelAnswer {
    explicit PanelAnswer(std::function<void(QFileDialog&)> answer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            auto* panel = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!panel || !panel->isVisible())
                return;
            timer.stop();
            onTop = panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            ownPanel = panel->testOption(QFileDialog::DontUseNativeDialog);
            answer(*panel);
        });
        timer.start(10);
    }
    QTimer timer;
    bool onTop = false;
    bool ownPanel = false;
};

}  // namespace

TEST(FileChooser, QtsOwnPanelStandsOnTopAndGivesThePathChosenOrNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString tour = folder.filePath("tour.txt");
    QFile file(tour);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    PanelAnswer open([&](QFileDialog& panel) {
        panel.selectFile(tour);
        QMetaObject::invokeMethod(&panel, "accept");
    });
    EXPECT_EQ(FileChooser::openFileName(nullptr, "Open Tour File", folder.path(), "Tour files (*.txt)"), tour);
    EXPECT_TRUE(open.onTop);
    EXPECT_TRUE(open.ownPanel);

    PanelAnswer cancel([](QFileDialog& panel) { panel.reject(); });
    EXPECT_TRUE(FileChooser::saveFileName(nullptr, "Save", folder.path(), QString()).isEmpty());
    EXPECT_TRUE(cancel.onTop);
}
