#pragma once

#include <QMenu>

class SVViewState;

// The telescope view's context menu: makes the next click in the view track
// the object under it and slew to it, or measure an angular separation, as
// if Ctrl (respectively Alt) were held.
class SVClickMenu final : public QMenu {
    Q_OBJECT
public:
    enum Tag { kTrackTag = 1, kAngleSepTag = 2 };

    explicit SVClickMenu(SVViewState& view, QWidget* parent = nullptr);

    void svClickMenuAction(int tag);

private:
    SVViewState& m_view;
};
