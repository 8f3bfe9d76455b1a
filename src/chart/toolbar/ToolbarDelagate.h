#pragma once

#include "chart/MainToolbar.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QToolBar>

class PrefControl;
class QAction;
class QMainWindow;
class ToolbarActions;

// The main window's toolbar: built from the user's saved arrangement (or the
// default one), customised in a dialog whose result is kept under the
// toolbar's name, its layer labels marked while their layer is on.
class ToolbarDelagate final : public QObject, public MainToolbar {
    Q_OBJECT
public:
    // `images` is the resources' image folder, ending in "/".
    ToolbarDelagate(ToolbarActions& actions, PrefControl& prefs, QMainWindow& window, QString images);

    void setupToolbar() override;
    void clearToolTips() override;
    // Rebuilds the toolbar from an arrangement and keeps it.
    void setItemIdentifiers(const QStringList& identifiers);
    QStringList itemIdentifiers() const { return m_identifiers; }
    // Sets every item's label from its layer or window.
    void validateToolbarItems();
    void runToolbarCustomization();

    QToolBar* toolbar() const { return m_toolbar; }
    QLineEdit* searchField() const { return m_findTBText; }

private:
    void build();
    void addItem(const QString& identifier);

    ToolbarActions& m_actions;
    PrefControl& m_prefs;
    QMainWindow& m_window;
    QString m_images;
    QPointer<QToolBar> m_toolbar;
    QPointer<QLineEdit> m_findTBText;
    QStringList m_identifiers;
    QTimer m_validation;
};
