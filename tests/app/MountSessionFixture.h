#pragma once

#include "app/AssembledProgram.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"
#include "support/RecordingAlertPresenter.h"

#include <QAction>
#include <QTest>

// Generous: the machine may be loaded; the transport's own limits are shorter.
inline constexpr int kSessionWaitMs = 20000;

// The mount side of the program as the chart assembles it, driven through
// its Connect menu and panels against a simulated controller on a pty.
class MountSessionFixture : public AssembledProgram {
protected:
    // The Connect menu's tags: the first telescope, the 2 s poll rate.
    static constexpr int kFirstScopeTag = 0;
    static constexpr int kTwoSecondPollTag = 5;

    // The first telescope speaks `protocol`.
    void useProtocol(int protocol, const QString& name)
    {
        PrefControl& prefs = chart->prefControl();
        prefs.scopes()[0].mountProtocol = quint16(protocol);
        prefs.setScopeNamesArray({name, "", "", "", ""});
        menu().setupConnectMenu();
    }
    void TearDown() override
    {
        if (scope().isConnected())
            scope().disconnect();
        chart.reset();
    }

    ScopeControl& scope() { return chart->scopeControl(); }
    ConnectMenu& menu() { return *chart->mountLink().connectMenu(); }
    HandControlPanelSet& panels() { return chart->mountLink().handPanels(); }
    void choose(int tag)
    {
        menu().validateMenu();
        QAction* item = menu().itemWithTag(tag);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->isEnabled()) << tag;
        item->trigger();
    }
    bool menuShowsConnected()
    {
        QAction* item = menu().itemWithTag(kFirstScopeTag);
        return item != nullptr && item->isChecked();
    }
    // Connects the first telescope on `path` from the menu and polls every 2 s.
    void connectTo(const QString& path)
    {
        chart->mountLink().serialControl().setExtraPorts({path});
        choose(kFirstScopeTag);
        // The handshake runs on the worker.
        ASSERT_TRUE(QTest::qWaitFor([this] { return scope().isConnected(); }, kSessionWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([this] { return scope().hasScopePort(); }, kSessionWaitMs));
        choose(kTwoSecondPollTag);
        menu().validateMenu();
        ASSERT_TRUE(menuShowsConnected());
    }

    ScopedAlertRecorder alerts;
};
