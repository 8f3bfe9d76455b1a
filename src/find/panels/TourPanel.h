#pragma once

#include "find/panels/PanelKeyControl.h"

class QListWidget;
class QPushButton;
class TourControl;

// The tour panel: the tour's lines in a one-column table, Next, Previous and
// the exposure button. A click visits a row, a double click deletes it.
class TourPanel final : public PanelKeyControl {
    Q_OBJECT
public:
    TourPanel(TourControl& control, PrefControl& prefs, Links links, QWidget* parent = nullptr);

    QListWidget& tourTable() const { return *m_table; }
    QPushButton& button(int tag) const;

protected:
    // Escape closes the panel as its close button does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void reloadData();
    void showState();

    TourControl& m_control;
    QListWidget* m_table;
    QPushButton* m_next;
    QPushButton* m_previous;
    QPushButton* m_exposure;
};
