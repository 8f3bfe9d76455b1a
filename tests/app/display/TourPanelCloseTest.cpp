#include "app/display/WindowManagerTest.h"

#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/FileMenuActions.h"
#include "find/panels/TourPanel.h"
#include "model/settings/PrefControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <optional>

namespace {

const QString kQuestion = QStringLiteral("What do you want to do with this tour?");
// Long enough for a panel closed and opened anew to show again.
constexpr int kComesBackMs = 1000;
constexpr int kWaitMs = 10000;

QRect globalRect(const QWidget& widget) { return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size()); }

// Answers the program's question about the tour, once it shows, with the
// button titled `answer`; a save panel that follows is given `savePath`, or
// cancelled when it is empty. Anything else still modal after kWaitMs is
// closed, so that the test fails rather than waits for ever.
class Answerer {
public:
    Answerer(QString answer, QString savePath) : m_answer(std::move(answer)), m_savePath(std::move(savePath))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start(50);
        m_running.start();
    }

    int asked = 0;
    bool savePanelShown = false;
    bool gaveUp = false;

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && m_running.elapsed() > kWaitMs) {
            gaveUp = true;
            modal->close();
        } else if (auto* question = qobject_cast<QMessageBox*>(modal); question && question->text() == kQuestion) {
            ++asked;
            for (QAbstractButton* button : question->buttons()) {
                if (button->text() == m_answer)
                    button->click();
            }
        } else if (auto* panel = qobject_cast<QFileDialog*>(modal)) {
            savePanelShown = true;
            if (m_savePath.isEmpty()) {
                panel->reject();
            } else {
                // Typed as the user types it: the panel's selectFile() leaves
                // a name field that has the keyboard as it is.
                if (auto* name = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(m_savePath);
                static_cast<QDialog*>(panel)->accept();
            }
        }
    }

    QString m_answer;
    QString m_savePath;
    QTimer m_timer;
    QElapsedTimer m_running;
};

// Counts the times a window hides.
class HideCounter : public QObject {
public:
    explicit HideCounter(QWidget& window) { window.installEventFilter(this); }
    int hides = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            ++hides;
        return QObject::eventFilter(watched, event);
    }
};

class TourPanelCloseTest : public WindowManagerTest {
protected:
    enum class Way { CloseButton, Escape, AltF4 };
    enum class Then { Goes, Stays };

    // Starts building a tour from the File menu, with one object clicked.
    TourPanel& createTour()
    {
        chart->menuBar().fileMenu().menuAction(FileMenuActions::kCreateTourTag);
        PrefControl& prefs = chart->prefControl();
        prefs.setFindIndex(0);
        prefs.setFindName(QStringLiteral("Sirius"));
        chart->outlets().findObjects->addTourObject();
        TourPanel* panel = chart->skyWindow().findChild<TourPanel*>();
        EXPECT_NE(panel, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel));
        settle();
        return *panel;
    }
    bool isCreating() { return chart->prefControl().isCreateTour(); }
    QString createItemTitle()
    {
        return chart->menuBar().fileMenu().validateMenuItem(FileMenuActions::kCreateTourTag).title.value_or("");
    }

    // Closes the panel as the user would, through the window manager.
    static void close(TourPanel& panel, Way way)
    {
        switch (way) {
        case Way::CloseButton: {
            // The title bar's last button, at its right end, where the
            // window manager has framed the panel.
            const std::optional<QRect> frame = settledFrame(panel);
            const std::optional<QPoint> content = pixelsOf(panel);
            if (!frame || !content) {
                ADD_FAILURE() << "the panel is not framed";
                return;
            }
            const int title = qRound(content->y() / panel.devicePixelRatioF()) - frame->top();
            const QPoint button(frame->right() - title / 2, frame->top() + title / 2);
            QProcess::execute("xdotool", {"mousemove", QString::number(button.x()), QString::number(button.y()),
                                          "click", "1"});
            break;
        }
        case Way::Escape:
        case Way::AltF4:
            panel.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&panel));
            // The window manager hands it the keyboard too.
            settle();
            QProcess::execute("xdotool", {"key", way == Way::Escape ? "Escape" : "alt+F4"});
            break;
        }
    }
    // Closes the panel by `way` and answers the question: true when it was
    // asked exactly once and the panel went, or stayed without ever hiding.
    static bool closeAndAnswer(TourPanel& panel, Way way, Then then, const QString& answer,
                               const QString& savePath = {})
    {
        const HideCounter counter(panel);
        Answerer answerer(answer, savePath);
        close(panel, way);
        const auto done = [&] {
            return answerer.asked > 0 &&
                   (then == Then::Goes ? !panel.isVisible() : QApplication::activeModalWidget() == nullptr);
        };
        bool answered = QTest::qWaitFor(done, kWaitMs) && !answerer.gaveUp;
        if (then == Then::Stays) {
            EXPECT_EQ(counter.hides, 0) << "the panel hid";
            answered = answered && panel.isVisible();
        }
        if (answer == QLatin1String("Save")) {
            EXPECT_TRUE(answerer.savePanelShown);
        }
        return answered && answerer.asked == 1;
    }
    // Whether the panel comes back within `ms`.
    static bool comesBack(const TourPanel& panel, int ms = kWaitMs)
    {
        return QTest::qWaitFor([&] { return panel.isVisible(); }, ms);
    }
};

constexpr std::array<const char*, 3> kWayNames = {"close button", "Escape", "Alt+F4"};

}  // namespace

// Opened by File > Create Tour/Filter, the panel covers neither the chart's
// menu bar nor the instructions the chart draws meanwhile, and lies inside
// the screen.
TEST_F(TourPanelCloseTest, ThePanelOpensClearOfTheMenuBarAndTheInstructions)
{
    ASSERT_TRUE(launch());
    settle();
    TourPanel& panel = createTour();
    const std::optional<QRect> settled = settledFrame(panel);
    ASSERT_TRUE(settled.has_value());
    const QRect frame = *settled;
    const SkyView& view = chart->skyWindow().skyView();
    EXPECT_FALSE(frame.intersects(globalRect(*chart->skyWindow().menuBar())));
    EXPECT_FALSE(frame.intersects(view.tourCaptionsArea().translated(view.mapToGlobal(QPoint(0, 0)))));
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(frame));
}

// Each way of closing the panel while a tour is built asks what to do with
// the tour; with Resume the panel stays where it is, never hidden, as it
// does with Save cancelled at the file panel; Save writes the tour and
// Discard drops it, and after either nothing comes back.
TEST_F(TourPanelCloseTest, EveryWayOfClosingAsksAndEachAnswerDoesItsPart)
{
    ASSERT_TRUE(launch());
    settle();
    TourPanel* panel = &createTour();
    for (const Way way : {Way::CloseButton, Way::Escape, Way::AltF4}) {
        const std::optional<QRect> at = settledFrame(*panel);
        ASSERT_TRUE(at.has_value()) << kWayNames[size_t(way)];
        ASSERT_TRUE(closeAndAnswer(*panel, way, Then::Stays, "Resume")) << kWayNames[size_t(way)];
        EXPECT_EQ(settledFrame(*panel), at) << kWayNames[size_t(way)];
        EXPECT_TRUE(isCreating()) << kWayNames[size_t(way)];
        EXPECT_EQ(panel->tourTable().count(), 1) << kWayNames[size_t(way)];
    }

    ASSERT_TRUE(closeAndAnswer(*panel, Way::AltF4, Then::Stays, "Save")) << "the save was cancelled: building goes on";
    EXPECT_TRUE(isCreating());
    EXPECT_EQ(panel->tourTable().count(), 1);

    const QTemporaryDir folder;
    const QString saved = folder.filePath("Winter.txt");
    ASSERT_TRUE(closeAndAnswer(*panel, Way::Escape, Then::Goes, "Save", saved));
    EXPECT_FALSE(comesBack(*panel, kComesBackMs));
    EXPECT_FALSE(isCreating());
    EXPECT_EQ(createItemTitle(), "Create Tour/Filter");
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Sirius\n");

    for (const Way way : {Way::CloseButton, Way::AltF4}) {
        panel = &createTour();
        ASSERT_TRUE(closeAndAnswer(*panel, way, Then::Goes, "Discard")) << kWayNames[size_t(way)];
        EXPECT_FALSE(comesBack(*panel, kComesBackMs)) << kWayNames[size_t(way)];
        EXPECT_FALSE(isCreating()) << kWayNames[size_t(way)];
        EXPECT_EQ(panel->tourTable().count(), 0) << kWayNames[size_t(way)];
        EXPECT_EQ(createItemTitle(), "Create Tour/Filter") << kWayNames[size_t(way)];
    }
}
