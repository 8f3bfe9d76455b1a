#include "chart/panels/InfoDragControl.h"

#include "chart/panels/InfoPanelDrag.h"
#include "chart/panels/ReadoutText.h"
#include "model/settings/PrefControl.h"

#include <QGridLayout>
#include <QLabel>

InfoDragControl::InfoDragControl(PrefControl& prefs, const QString& dragImage, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_prefs(prefs)
{
    setWindowTitle(tr("Readouts"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Drag a readout onto a box; click a box to empty it.")), 0, 0, 1,
                      ReadoutText::CodeCount - 1);
    for (int code = ReadoutText::View; code < ReadoutText::CodeCount; ++code)
        layout->addWidget(new InfoPanelDrag(code, ReadoutText::label(code), dragImage, this), 1, code - 1);
    for (int slot = 0; slot < kBoxCount; ++slot) {
        auto* box = new InfoPanelDrag((slot + 1) * kBoxTagStep, QString(), QString(), this);
        connect(box, &InfoPanelDrag::infoPanelDrag, this, &InfoDragControl::dragDone);
        m_boxes[std::size_t(slot)] = box;
        layout->addWidget(box, 2, slot);
    }
    updateInfoPanelText();
}

int InfoDragControl::slotOf(int boxTag)
{
    if (boxTag % kBoxTagStep != 0)
        return -1;
    const int slot = boxTag / kBoxTagStep - 1;
    return slot >= 0 && slot < kBoxCount ? slot : -1;
}

void InfoDragControl::dragDone(int code, int boxTag)
{
    const int slot = slotOf(boxTag);
    if (slot < 0)
        return;
    m_prefs.setInfoPanelValues(code, slot);
    emit choiceChanged();
}

void InfoDragControl::infoPanelPosition(int boxTag) { dragDone(ReadoutText::Empty, boxTag); }

void InfoDragControl::updateInfoPanelText()
{
    for (int slot = 0; slot < kBoxCount; ++slot)
        m_boxes[std::size_t(slot)]->setText(ReadoutText::label(m_prefs.infoPanelValues(slot)));
}
