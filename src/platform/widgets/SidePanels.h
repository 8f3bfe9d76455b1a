#pragma once

class QColorDialog;
class QFontDialog;
class QWidget;

// The font and colour panels a window shows beside itself, as the platform's
// shared ones would be: non-modal, without buttons, the colour panel with
// its alpha. Each is made the first time it is asked for, a child of the
// owner: making a font panel reads the whole font list and the icon theme,
// which a start that never shows it should not pay for.
class SidePanels {
public:
    explicit SidePanels(QWidget& owner) : m_owner(owner) {}

    QFontDialog& fontPanel();
    QColorDialog& colorPanel();
    // Either panel only if it was made; none before.
    QFontDialog* madeFontPanel() const { return m_fontPanel; }
    QColorDialog* madeColorPanel() const { return m_colorPanel; }

    // Hides the panels that were made.
    void hide();

private:
    QWidget& m_owner;
    QFontDialog* m_fontPanel = nullptr;    // owned by m_owner
    QColorDialog* m_colorPanel = nullptr;  // owned by m_owner
};
