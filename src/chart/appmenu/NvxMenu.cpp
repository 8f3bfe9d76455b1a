#include "chart/appmenu/NvxMenu.h"

#include "chart/appmenu/NvxMenuActions.h"
#include "chart/menus/MenuText.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/WindowStacking.h"

#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QStyle>

NvxMenu::NvxMenu(NvxMenuActions& actions, const PrefControl& prefs, QWidget* parent)
    : QMenu(QStringLiteral("Norvane Pro"), parent),
      m_actions(actions),
      m_prefs(prefs),
      m_helpMenu(new QMenu(menuText("Help"), parent))
{
    using Tag = NvxMenuActions::Tag;
    connect(addAction(menuText("About Norvane Pro...")), &QAction::triggered, this, &NvxMenu::showAbout);
    addSeparator();
    addItem(*this, menuText("Reset Preferences"), Tag::kResetPreferences);
    addSeparator();
    addItem(*this, menuText("Telvisk Site"), Tag::kTvkSite);
    addItem(*this, menuText("Update Comets/MP"), Tag::kUpdateCometsMP);
    QMenu* mpcorb = addMenu(QStringLiteral("MPCORB"));
    addItem(*mpcorb, QStringLiteral("Download Numbered Orbits"), Tag::kMpcorbNumbered);
    addItem(*mpcorb, QStringLiteral("Download All Orbits"), Tag::kMpcorbAll);
    addItem(*this, QStringLiteral("Rebuild Database"), Tag::kRebuild);
    addSeparator();
    addItem(*this, menuText("Version Check"), Tag::kVersionCheck);
    m_versionCheckAtLaunch = addItem(*this, menuText("Version Check at Launch"),
                                     Tag::kVersionCheckAtLaunch);
    m_versionCheckAtLaunch->setCheckable(true);
    addSeparator();
    m_toolbarItem = addItem(*this, menuText("Hide Toolbar"), Tag::kToolbar);
    addSeparator();
    // Ending the event loop runs the shut-down that stores the settings; the
    // windows go with the program without their close handlers, which would
    // store the panels as closed. (Quitting instead of exiting would first
    // close every window.)
    QAction* quit = addAction(QStringLiteral("Quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    addItem(*m_helpMenu, menuText("Norvane Pro Help"), Tag::kHelp);
    connect(this, &QMenu::aboutToShow, this, &NvxMenu::validateMenuItems);
}

QAction* NvxMenu::addItem(QMenu& menu, const QString& title, int tag)
{
    QAction* item = menu.addAction(title);
    item->setData(tag);
    connect(item, &QAction::triggered, this, [this, tag] {
        m_actions.nvxMenuAction(
            tag, QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier));
    });
    return item;
}

void NvxMenu::showAbout()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Norvane Pro"),
                    QStringLiteral("Norvane Pro %1").arg(QCoreApplication::applicationVersion()), QMessageBox::Ok,
                    parentWidget());
    // The program's icon, as Qt's own about box shows it.
    box.setIconPixmap(
        QApplication::windowIcon().pixmap(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box)));
    WindowStacking::execOnTop(box);
}

void NvxMenu::validateMenuItems()
{
    m_toolbarItem->setText(menuText(m_prefs.isShowToolbar() ? "Hide Toolbar" : "Show Toolbar"));
    m_versionCheckAtLaunch->setChecked(m_prefs.isVersionCheck());
}
