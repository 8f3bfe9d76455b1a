#pragma once

#include "platform/widgets/SidePanels.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class PrefControl;
class PrefLocalization;
class QButtonGroup;
class QColorDialog;
class QFontDialog;
class QLabel;

// The Fonts & Color tab: the font and colour of the fifteen chart label
// kinds and the colour of the sixteen chart lines and symbols, chosen in a
// font panel and a colour panel that stay open beside the window.
class FontPrefControl final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLabelKinds = 15;
    static constexpr int kObjectColors = 16;
    static constexpr int kMythColor = 15;  // the object colour of the figures

    FontPrefControl(PrefControl& prefs, PrefLocalization& texts, QWidget* parent = nullptr);

    void setupFontsAndColors();
    // Row r shows label kind r + 1; tag t is object colour t.
    void fontAction(int row);
    void colorAction(int tag);
    void changeFontAction();
    void changeColorAction();
    // "Save Font" and "Save Color".
    void previewFont();
    void previewColor();
    void revertFontAction();
    void revertColorAction();
    // Hides the two panels; the preferences window does so as it closes.
    void closePanels();

    QButtonGroup* fontMatrix() const { return m_fontMatrix; }
    QButtonGroup* colorMatrix() const { return m_colorMatrix; }
    // Made the first time they are asked for, or when the tab first shows.
    QFontDialog* fontPanel();
    QColorDialog* colorPanel();
    QLabel* exampleText() const { return m_exampleText; }
    QLabel* exampleColor() const { return m_exampleColor; }
    QColor color() const { return m_color; }

protected:
    // Watches the preferences window, whose closing hides the panels.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int selectedKind() const;
    int selectedColorTag() const;
    void showKind(int kind);
    void showFont(const QFont& font);
    // What the panels show, made or not.
    QFont panelFont() const;
    void setPanelColor(const QColor& color);
    QColor panelColor() const;
    static void setTextColor(QLabel* label, const QColor& color);

    PrefControl& m_prefs;
    QButtonGroup* m_fontMatrix;
    QButtonGroup* m_colorMatrix;
    SidePanels m_panels;
    QLabel* m_exampleText;
    QLabel* m_exampleColor;
    QColor m_color;
    // The kind's stored font and the panel's match for it: a family the
    // system lacks is stored as it was unless the user chose another font.
    QFont m_storedFont;
    QFont m_panelFont;
    QColor m_panelColor;
};
