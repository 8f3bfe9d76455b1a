#pragma once

#include "chart/menus/TaggedMenuActions.h"

#include <QString>

#include <functional>
#include <memory>

class PrefControl;
class PrintSkyView;
class PagePrinter;
struct ChartOutlets;

// The File menu: open a photograph, open and save tours and build one by
// clicks on the chart, page set-up, printing the chart or the telescope view
// on one shared set of print settings, and the calendar-event panel.
class FileMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kOpenPhotoTag = 1;
    static constexpr int kOpenTourTag = 2;
    static constexpr int kCreateTourTag = 3;
    static constexpr int kPageSetupTag = 4;
    static constexpr int kPrintTag = 5;
    static constexpr int kPrintScopeViewTag = 6;
    static constexpr int kCustomHorizonTag = 7;
    static constexpr int kCalendarEventTag = 8;

    // What to do with a tour being built when its panel is closed.
    enum class TourCloseChoice { Save, Discard, Resume };

    // The panels the menu asks the user through.
    struct Dialogs {
        // A file to open or to save (empty when cancelled): title, folder, name filter.
        std::function<QString(const QString&, const QString&, const QString&)> openFile;
        std::function<QString(const QString&, const QString&, const QString&)> saveFile;
        std::function<TourCloseChoice()> askTourClose;
        // The print settings every print shares, with their panels, made at
        // the first print or page set-up; none: nothing is printed.
        std::function<std::unique_ptr<PagePrinter>()> makePrinter;
    };

    // Without a print view nothing of the chart is printed.
    FileMenuActions(PrefControl& prefs, const ChartOutlets& outlets, PrintSkyView* printSkyView,
                    QString tourDirectory, Dialogs dialogs);
    ~FileMenuActions() override;

    void menuAction(int tag) override;
    MenuItemState validateMenuItem(int tag) const override;

    // True when a file was chosen and handed to the tours.
    bool openTourFile();
    // True when the tour was saved or was empty; false when the user cancelled
    // or the file could not be written.
    bool saveTourFile();
    // The tour panel is being closed while a tour is being built: true when
    // the user goes on building it (Resume, or a save cancelled), and the
    // panel stays as it is.
    bool handleTourClose();
    void openPhotoFile();
    void printSkyDisplay();
    void printSVDisplay();
    void pageLayoutAction();

    // Prints the chart on `printer` without any panel: one page.
    void printChart(PagePrinter& printer);
    // The print settings every print shares; made on first use, null when
    // they cannot be had.
    PagePrinter* printInfo();

private:
    void createTour();
    void endTourCreation();
    void displayChart();
    void makeMainWindowKey();

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    PrintSkyView* m_printSkyView;
    QString m_tourDirectory;
    Dialogs m_dialogs;
    std::unique_ptr<PagePrinter> m_printInfo;
    QString m_tourItemTitle;
};
