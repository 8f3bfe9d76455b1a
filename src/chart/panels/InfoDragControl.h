#pragma once

#include "chart/InfoPanelLabels.h"

#include <QWidget>

#include <array>

class InfoPanelDrag;
class PrefControl;

// The readout chooser: eight tiles, one per readout, dragged onto six boxes,
// one per slot of the readout line. Keeps the choice in the settings and
// tells the line to show it at once.
class InfoDragControl final : public QWidget, public InfoPanelLabels {
    Q_OBJECT
public:
    static constexpr int kBoxCount = 6;
    static constexpr int kBoxTagStep = 100;

    // `dragImage` is the picture a dragged tile shows.
    InfoDragControl(PrefControl& prefs, const QString& dragImage, QWidget* parent = nullptr);

    // A box's new readout (0 empties it).
    void dragDone(int code, int boxTag);
    // Empties the slot of box tag 100 to 600; any other tag does nothing.
    void infoPanelPosition(int boxTag);
    void updateInfoPanelText() override;

    InfoPanelDrag& infoPanelBox(int slot) { return *m_boxes[std::size_t(slot)]; }

signals:
    // A slot's readout changed.
    void choiceChanged();

private:
    // The slot of a box tag, or -1.
    static int slotOf(int boxTag);

    PrefControl& m_prefs;
    std::array<InfoPanelDrag*, kBoxCount> m_boxes{};
};
