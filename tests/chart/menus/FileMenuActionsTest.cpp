#include "chart/menus/MenuFakes.h"

#include "chart/menus/FileMenuActions.h"
#include "chart/printing/PagePrinter.h"
#include "chart/printing/PrintSkyView.h"
#include "find/panels/CalendarEvents.h"
#include "find/tours/Tours.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

struct FakeTours final : Tours, Logged {
    using Logged::Logged;
    bool visible = false;
    bool writable = true;
    int objects = 0;
    bool isTourVisible() const override { return visible; }
    void setTourTitle(const QString& t) override { log.add("tours", "setTourTitle", t); }
    int numTourObjects() const override { return objects; }
    void setNumTourObjects(int n) override { objects = n; }
    void initTourPanel(bool clear) override { log.add("tours", "initTourPanel", clear); visible = true; }
    void openTourFile(const QString& p) override { log.add("tours", "openTourFile", p); visible = true; }
    bool saveTourFile(const QString& p) override
    {
        log.add("tours", "saveTourFile", p);
        return writable;
    }
    void clearTour() override { log.add("tours", "clearTour"); objects = 0; }
};

// Print settings whose panels answer as told; a page is drawn on an image.
struct FakePrinter final : PagePrinter {
    bool accept = false;
    int panels = 0;
    int setups = 0;
    bool printPanel() override
    {
        ++panels;
        return accept;
    }
    bool pageSetup() override
    {
        ++setups;
        return true;
    }
    void printPage(const Draw& draw) override
    {
        QImage page(100, 100, QImage::Format_RGB32);
        QPainter painter(&page);
        draw(painter, {QRectF(5, 5, 90, 90), 100});
    }
};

class FileMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        outlets.tourControl = &tours;
        FileMenuActions::Dialogs dialogs;
        dialogs.openFile = [this](const QString&, const QString&, const QString&) { return chosenPath; };
        dialogs.saveFile = [this](const QString& title, const QString& folder, const QString&) {
            fakes.log.add("savePanel", "show", title, folder);
            return chosenPath;
        };
        dialogs.askTourClose = [this] { return answer; };
        file = std::make_unique<FileMenuActions>(settings(), outlets, nullptr,
                                                 "/tours/", dialogs);
    }
    QString tourItemTitle() const { return *file->validateMenuItem(FileMenuActions::kCreateTourTag).title; }

    FakeTours tours{fakes.log};
    QString chosenPath;
    FileMenuActions::TourCloseChoice answer = FileMenuActions::TourCloseChoice::Save;
    std::unique_ptr<FileMenuActions> file;
};

TEST_F(FileMenuActionsTest, BuildingATourStartsEmptyAndSavingEndsIt)
{
    PrefControl& p = settings();
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_TRUE(p.isCreateTour());
    EXPECT_EQ(count("tours.initTourPanel true"), 1);
    EXPECT_EQ(tourItemTitle(), "Save tour...");
    EXPECT_FALSE(file->validateMenuItem(FileMenuActions::kOpenTourTag).enabled);

    tours.objects = 3;
    chosenPath.clear();  // the save panel is cancelled
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_TRUE(p.isCreateTour());
    EXPECT_EQ(tourItemTitle(), "Save tour...");
    EXPECT_EQ(count("savePanel.show Save Tour/Filter File /tours/"), 1);

    chosenPath = "/tours/Night.txt";
    tours.writable = false;  // the file cannot be written: the tour stays
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_TRUE(p.isCreateTour());
    EXPECT_EQ(count("tours.clearTour"), 0);

    tours.writable = true;
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_FALSE(p.isCreateTour());
    EXPECT_EQ(count("tours.saveTourFile /tours/Night.txt"), 2);
    EXPECT_EQ(count("tours.clearTour"), 1);
    EXPECT_EQ(tourItemTitle(), "Create Tour/Filter");
    EXPECT_TRUE(file->validateMenuItem(FileMenuActions::kOpenTourTag).enabled);
}

TEST_F(FileMenuActionsTest, AnEmptyTourEndsWithoutAPanelAndReportsSuccess)
{
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_TRUE(file->saveTourFile());
    EXPECT_FALSE(settings().isCreateTour());
    EXPECT_EQ(count("savePanel.show Save Tour/Filter File /tours/"), 0);
}

TEST_F(FileMenuActionsTest, AnOpenedTourIsModifiedInPlace)
{
    chosenPath = "/tours/Messier.txt";
    file->menuAction(FileMenuActions::kOpenTourTag);
    EXPECT_EQ(count("tours.openTourFile /tours/Messier.txt"), 1);
    EXPECT_EQ(tourItemTitle(), "Modify Tour");
    file->menuAction(FileMenuActions::kCreateTourTag);
    EXPECT_EQ(count("tours.setTourTitle Creating tour/filter"), 1);
    EXPECT_EQ(count("tours.initTourPanel true"), 0) << "the opened lines stay";
}

TEST_F(FileMenuActionsTest, ClosingTheTourPanelSavesDiscardsOrResumes)
{
    using Choice = FileMenuActions::TourCloseChoice;
    PrefControl& p = settings();
    file->menuAction(FileMenuActions::kCreateTourTag);
    tours.objects = 2;

    // Save, but the save panel is cancelled: creation goes on in the panel as it is.
    answer = Choice::Save;
    EXPECT_TRUE(file->handleTourClose());
    EXPECT_TRUE(p.isCreateTour());

    answer = Choice::Resume;
    EXPECT_TRUE(file->handleTourClose());
    EXPECT_TRUE(p.isCreateTour());
    EXPECT_EQ(count("tours.initTourPanel false"), 0) << "the panel is never shown anew";

    answer = Choice::Discard;
    EXPECT_FALSE(file->handleTourClose());
    EXPECT_FALSE(p.isCreateTour());
    EXPECT_EQ(count("tours.clearTour"), 1);
    EXPECT_EQ(tourItemTitle(), "Create Tour/Filter");
}

TEST_F(FileMenuActionsTest, TheCalendarEventItemShowsTheChartDateOrHidesThePanel)
{
    struct FakeEvents final : CalendarEvents {
        bool isPanelVisible() const override { return visible; }
        void orderOut() override { visible = false; }
        void displayDateTime() override
        {
            visible = true;
            ++shown;
        }
        void updateDateTime() override {}
        bool visible = false;
        int shown = 0;
    } events;
    file->menuAction(FileMenuActions::kCalendarEventTag);  // no panel: nothing
    outlets.calEventPanel = &events;
    file->menuAction(FileMenuActions::kCalendarEventTag);
    EXPECT_EQ(events.shown, 1);
    file->menuAction(FileMenuActions::kCalendarEventTag);
    EXPECT_FALSE(events.visible);
}

TEST_F(FileMenuActionsTest, PrintItemsFollowTheirWindows)
{
    mainWindow.visible = false;
    EXPECT_FALSE(file->validateMenuItem(FileMenuActions::kPrintTag).enabled);
    mainWindow.visible = true;
    EXPECT_TRUE(file->validateMenuItem(FileMenuActions::kPrintTag).enabled);
    fakes.svWindow.visible = true;
    EXPECT_TRUE(file->validateMenuItem(FileMenuActions::kPrintScopeViewTag).enabled);
    scopeView.dssImage = true;
    EXPECT_FALSE(file->validateMenuItem(FileMenuActions::kPrintScopeViewTag).enabled);

    file->menuAction(FileMenuActions::kCustomHorizonTag);
    EXPECT_EQ(count("store.createCustomHorizons"), 1);
}

TEST_F(FileMenuActionsTest, ThePrintItemsShareOnePrinterAndPrintOnlyWhatThePanelAccepts)
{
    int made = 0;
    FakePrinter* printer = nullptr;
    FileMenuActions::Dialogs dialogs;
    dialogs.makePrinter = [&]() -> std::unique_ptr<PagePrinter> {
        ++made;
        auto fake = std::make_unique<FakePrinter>();
        printer = fake.get();
        return fake;
    };
    FileMenuActions menu(settings(), outlets, nullptr, "/tours/", dialogs);
    menu.menuAction(FileMenuActions::kPageSetupTag);
    menu.menuAction(FileMenuActions::kPrintScopeViewTag);  // the panel is cancelled
    EXPECT_EQ(count("svView.printPage"), 0);
    ASSERT_NE(printer, nullptr);
    printer->accept = true;
    menu.menuAction(FileMenuActions::kPrintScopeViewTag);
    EXPECT_EQ(count("svView.printPage"), 1);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(printer->setups, 1);
    EXPECT_EQ(printer->panels, 2);
}

TEST_F(FileMenuActionsTest, WithoutPrintSettingsThePrintItemsPrintNothing)
{
    // None asked for (the fixture's panels), and none to be had.
    FileMenuActions::Dialogs dialogs;
    dialogs.makePrinter = [] { return std::unique_ptr<PagePrinter>(); };
    FileMenuActions unavailable(settings(), outlets, nullptr, "/tours/", dialogs);
    for (FileMenuActions* menu : {file.get(), &unavailable}) {
        menu->menuAction(FileMenuActions::kPageSetupTag);
        menu->menuAction(FileMenuActions::kPrintTag);
        menu->menuAction(FileMenuActions::kPrintScopeViewTag);
    }
    EXPECT_EQ(count("svView.printPage"), 0);
}

}  // namespace
