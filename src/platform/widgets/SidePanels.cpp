#include "platform/widgets/SidePanels.h"

#include "platform/widgets/WindowStacking.h"

#include <QColorDialog>
#include <QFontDialog>

QFontDialog& SidePanels::fontPanel()
{
    if (!m_fontPanel) {
        m_fontPanel = new QFontDialog(&m_owner);
        m_fontPanel->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        m_fontPanel->setModal(false);
        WindowStacking::keepOnTop(*m_fontPanel);
    }
    return *m_fontPanel;
}

QColorDialog& SidePanels::colorPanel()
{
    if (!m_colorPanel) {
        m_colorPanel = new QColorDialog(&m_owner);
        m_colorPanel->setOptions(QColorDialog::ShowAlphaChannel | QColorDialog::NoButtons
                                 | QColorDialog::DontUseNativeDialog);
        m_colorPanel->setModal(false);
        WindowStacking::keepOnTop(*m_colorPanel);
    }
    return *m_colorPanel;
}

void SidePanels::hide()
{
    if (m_fontPanel)
        m_fontPanel->hide();
    if (m_colorPanel)
        m_colorPanel->hide();
}
