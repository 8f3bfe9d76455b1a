#pragma once

#include "find/panels/ChartKeyboard.h"
#include "find/panels/FindPanelEntry.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/InactiveHider.h"

#include <QWidget>

class FindObjects;
class PrefControl;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The find panel: the entry, the result line, Center, Track and
// Track-and-Center, the candidate pull-down and the choice of lookup service.
// It shows what the finder reports; Center and Track are asked for through
// its signals. The Edit menu copies from and pastes into its entry.
class FindPanelControl final : public QWidget, public FloatingPanel, public FindPanelEntry {
    Q_OBJECT
public:
    FindPanelControl(PrefControl& prefs, FindObjects& finder, ChartKeyboard chart,
                     QWidget* parent = nullptr);

    // Shows the panel emptied and ready for a name, or gives the keyboard back.
    void openFind(bool open);
    QString getEnterString() const;
    QLineEdit* findEnterText() const { return m_enterText; }

    void setToolTips() override;
    void clearToolTips() override;
    void setTransparency() override;
    void orderFront() override;
    void orderOut() override { hide(); }
    bool isPanelVisible() const override { return isVisible(); }
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }

    // FindPanelEntry
    bool isKeyWindow() const override { return isActiveWindow(); }
    QString enterString() const override { return getEnterString(); }
    void setEnterString(const QString& text) override;

signals:
    void findCenterAction();
    void findTrackAction();
    void findTCAction();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void showFinderState();
    void setButtonsEnabled(bool center, bool track, bool trackCenter);

    PrefControl& m_prefs;
    FindObjects& m_finder;
    ChartKeyboard m_chart;
    InactiveHider m_inactiveHider{*this};

    QLabel* m_prompt;
    QLineEdit* m_enterText;
    QLabel* m_resultText;
    QPushButton* m_centerButton;
    QPushButton* m_trackButton;
    QPushButton* m_trackCenterButton;
    QComboBox* m_pulldown;
    QButtonGroup* m_serverGroup;
    QWidget* m_serverBox;
};
