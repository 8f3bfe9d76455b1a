#pragma once

#include <QPushButton>
#include <QString>

class QMimeData;

// A button of the readout chooser. With a tag of 1 to 49 it is a tile that
// carries the readout code of its tag and is dragged onto a box; with a tag
// of 50 or more it is a box (tags 100 to 600 for the six slots) that takes a
// dropped tile and is emptied by a click; other tags do nothing special.
class InfoPanelDrag final : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kLastTileTag = 49;
    static constexpr int kFirstBoxTag = 50;

    // `dragImage` is the picture that follows the mouse in a drag (the
    // tile's own look when it cannot be read).
    InfoPanelDrag(int tag, const QString& title, const QString& dragImage = {}, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    bool isTile() const { return m_tag >= 1 && m_tag <= kLastTileTag; }
    bool isBox() const { return m_tag >= kFirstBoxTag; }

    // A box takes a dropped tile's code: false, leaving the box as it was,
    // for anything but a readout code 1 to 8 as text.
    bool takeDrop(const QMimeData& data);

signals:
    // A box was given readout `code` (0 when it was emptied).
    void infoPanelDrag(int code, int boxTag);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setHighlighted(bool on);

    int m_tag;
    QString m_dragImage;
};
