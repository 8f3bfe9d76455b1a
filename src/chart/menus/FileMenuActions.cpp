#include "chart/menus/FileMenuActions.h"

#include "chart/CatalogueStore.h"
#include "chart/ChartOutlets.h"
#include "chart/MainWindowControl.h"
#include "chart/menus/MenuText.h"
#include "chart/printing/PagePrinter.h"
#include "chart/printing/PrintSkyView.h"
#include "find/panels/CalendarEvents.h"
#include "find/panels/PhotoPanel.h"
#include "find/tours/Tours.h"
#include "model/settings/PrefControl.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

const QString kModifyTourTitle = QStringLiteral("Modify Tour");
const QString kCreatingTourTitle = QStringLiteral("Creating tour/filter");
const QString kTourFilter = QStringLiteral("Tour files (*.txt)");
const QString kPhotoFilter =
    QStringLiteral("Images (*.png *.jpeg *.JPG *.JPEG *.jpg *.tiff *.tif *.TIFF *.TIF *.PICT *.BMP *.bmp *.GIF *.gif)");

}  // namespace

FileMenuActions::FileMenuActions(PrefControl& prefs, const ChartOutlets& outlets, PrintSkyView* printSkyView,
                                 QString tourDirectory, Dialogs dialogs)
    : m_prefs(prefs),
      m_outlets(outlets),
      m_printSkyView(printSkyView),
      m_tourDirectory(std::move(tourDirectory)),
      m_dialogs(std::move(dialogs)),
      m_tourItemTitle(menuText("Create Tour/Filter"))
{
}

FileMenuActions::~FileMenuActions() = default;

void FileMenuActions::menuAction(int tag)
{
    switch (tag) {
    case kOpenPhotoTag:
        openPhotoFile();
        break;
    case kOpenTourTag:
        if (openTourFile())
            m_tourItemTitle = kModifyTourTitle;
        break;
    case kCreateTourTag:
        createTour();
        break;
    case kPageSetupTag:
        pageLayoutAction();
        break;
    case kPrintTag:
        printSkyDisplay();
        break;
    case kPrintScopeViewTag:
        printSVDisplay();
        break;
    case kCustomHorizonTag:
        if (m_outlets.starDatabaseModel)
            m_outlets.starDatabaseModel->createCustomHorizons();
        break;
    case kCalendarEventTag:
        if (CalendarEvents* events = m_outlets.calEventPanel; events && events->isPanelVisible())
            events->orderOut();
        else if (events)
            events->displayDateTime();
        break;
    default:
        break;
    }
}

MenuItemState FileMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    switch (tag) {
    case kOpenTourTag:
        state.enabled = !m_prefs.isCreateTour();
        break;
    case kCreateTourTag:
        state.title = m_tourItemTitle;
        break;
    case kPrintTag:
        state.enabled = m_outlets.mainWindow && m_outlets.mainWindow->isWindowVisible();
        break;
    case kPrintScopeViewTag:
        state.enabled = m_outlets.svWindow && m_outlets.svWindow->isWindowVisible() && m_outlets.svControl &&
                        !m_outlets.svControl->isDSSImage();
        break;
    default:
        break;
    }
    return state;
}

void FileMenuActions::createTour()
{
    Tours* tours = m_outlets.tourControl;
    if (!m_prefs.isCreateTour()) {
        m_prefs.setIsCreateTour(true);
        if (tours && tours->isTourVisible()) {
            // Clicks add to the tour that was opened.
            tours->setTourTitle(kCreatingTourTitle);
        } else if (tours) {
            tours->setNumTourObjects(0);
            tours->initTourPanel(true);
        }
        m_tourItemTitle = menuText("Save tour...");
    } else if (saveTourFile()) {
        m_tourItemTitle = menuText("Create Tour/Filter");
    }
    displayChart();
}

bool FileMenuActions::openTourFile()
{
    const QString path = m_dialogs.openFile(menuText("Open Tour File"), m_tourDirectory, kTourFilter);
    if (path.isEmpty() || !m_outlets.tourControl)
        return false;
    m_outlets.tourControl->openTourFile(path);
    return true;
}

bool FileMenuActions::saveTourFile()
{
    Tours* tours = m_outlets.tourControl;
    if (tours && tours->numTourObjects() != 0) {
        const QString path = m_dialogs.saveFile(menuText("Save Tour/Filter File"), m_tourDirectory, kTourFilter);
        // A file that could not be written keeps the tour, as a cancel does.
        if (path.isEmpty() || !tours->saveTourFile(path))
            return false;
        if (m_prefs.isCreateTour()) {
            m_prefs.setIsCreateTour(false);
            tours->clearTour();
            displayChart();
        }
        return true;
    }
    if (m_prefs.isCreateTour()) {
        m_prefs.setIsCreateTour(false);
        displayChart();
    }
    if (tours)
        tours->clearTour();
    return true;
}

bool FileMenuActions::handleTourClose()
{
    switch (m_dialogs.askTourClose()) {
    case TourCloseChoice::Save:
        if (!saveTourFile()) {
            // Creation goes on in the panel, which stays where it is.
            displayChart();
            return true;
        }
        endTourCreation();
        return false;
    case TourCloseChoice::Discard:
        if (m_outlets.tourControl)
            m_outlets.tourControl->clearTour();
        endTourCreation();
        return false;
    case TourCloseChoice::Resume:
        return true;
    }
    return true;
}

void FileMenuActions::endTourCreation()
{
    m_prefs.setIsCreateTour(false);
    m_tourItemTitle = menuText("Create Tour/Filter");
    displayChart();
}

void FileMenuActions::openPhotoFile()
{
    const QString path = m_dialogs.openFile(menuText("Open Photograph File"), QString(), kPhotoFilter);
    if (path.isEmpty() || !m_outlets.photoPanel)
        return;
    const QImage image(path);
    if (image.isNull())
        return;
    m_outlets.photoPanel->showPhoto(image, QFileInfo(path).fileName());
}

PagePrinter* FileMenuActions::printInfo()
{
    if (!m_printInfo && m_dialogs.makePrinter)
        m_printInfo = m_dialogs.makePrinter();
    return m_printInfo.get();
}

void FileMenuActions::printSkyDisplay()
{
    if (PagePrinter* printer = printInfo(); printer && printer->printPanel())
        printChart(*printer);
    makeMainWindowKey();
}

void FileMenuActions::printChart(PagePrinter& printer)
{
    PrintSkyView* view = m_printSkyView;
    if (!view)
        return;
    printer.printPage([view](QPainter& painter, const PagePrinter::Paper& paper) {
        view->setPageRect(paper.page);
        view->drawRect(painter, paper.height);
    });
}

void FileMenuActions::printSVDisplay()
{
    PagePrinter* printer = printInfo();
    if (ScopeViewControl* view = m_outlets.svControl; view && printer && printer->printPanel()) {
        printer->printPage([view](QPainter& painter, const PagePrinter::Paper& paper) {
            const QRectF& up = paper.page;
            view->printPage(painter, QRectF(up.x(), paper.height - up.bottom(), up.width(), up.height()));
        });
    }
    makeMainWindowKey();
}

void FileMenuActions::pageLayoutAction()
{
    if (PagePrinter* printer = printInfo())
        printer->pageSetup();
    makeMainWindowKey();
}

void FileMenuActions::displayChart()
{
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}

void FileMenuActions::makeMainWindowKey()
{
    if (m_outlets.mainWindow)
        m_outlets.mainWindow->makeKeyWindow();
}
