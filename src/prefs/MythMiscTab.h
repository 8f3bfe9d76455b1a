#pragma once

#include <QWidget>

#include <array>
#include <functional>

class PrefControl;
class PrefLocalization;
class QCheckBox;

// The Myth/Misc tab: the 22 mythological-figure boxes and the one that
// shows them all, the boxes that keep windows shown while the program is
// inactive, the red cursor and the hiding of constellation names.
class MythMiscTab final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFigures = 22;
    static constexpr int kShowAll = 89;  // the mythArray item that shows every figure
    // The mythArray item of each figure box, by box.
    static constexpr std::array<int, kFigures> kFigureIndexes{0,  3,  7,  8,  11, 13, 17, 26, 27, 37, 39,
                                                              45, 51, 58, 59, 61, 62, 71, 72, 78, 83, 86};
    static constexpr int kHideBoxes = 7;
    static constexpr int kRedCursor = 1;
    static constexpr int kHideNames = 2;

    struct Links {
        std::function<void()> setAllHide;        // every window's hiding as the settings say
        std::function<void()> resetCursorRects;  // the chart's cursor
        std::function<void()> redrawChart;
    };

    MythMiscTab(PrefControl& prefs, PrefLocalization& texts, QWidget* parent = nullptr);
    void setLinks(Links links) { m_links = std::move(links); }

    // Each figure box titled with the name of its constellation (by index).
    void setFigureTitles(const std::function<QString(int)>& constellationName);
    // The figure boxes from the settings.
    void setupDate();
    void setupHideBoxes();

    // `index` is a figure's mythArray item or kShowAll.
    void mythAction(int index, bool on);
    // Tags 1 to 4 and 6 to 8 are windows with a setting; the others only re-apply.
    void hideAction(int tag, bool shownWhenInactive);
    void miscAction(int tag, bool on);

    // The box of mythArray item `index`; none for an index without one.
    QCheckBox* figureBox(int index) const;
    QCheckBox* showAllBox() const { return m_showAll; }
    // By hideAction tag 1 to 4, 6 to 8.
    QCheckBox* hideBox(int tag) const;
    QCheckBox* redCursorBox() const { return m_redCursor; }
    QCheckBox* hideNamesBox() const { return m_hideNames; }

private:
    void showFigures();

    PrefControl& m_prefs;
    Links m_links;
    std::array<QCheckBox*, kFigures> m_figures{};
    QCheckBox* m_showAll;
    std::array<QCheckBox*, kHideBoxes> m_hide{};
    QCheckBox* m_redCursor;
    QCheckBox* m_hideNames;
};
