#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MoveReports;
class QWidget;

// Keeps a window's place and size across launches: `restore` puts back the
// saved frame, brought onto the screens present; the frame is saved each time
// the window hides, once it has rested kSaveDelay after a move or resize (so
// a crash keeps it, and a drag does not save the settings at every step), and
// when the program quits while it shows. Shown again in the same run, the
// window comes back where it was hidden, wherever the user had dragged it.
// The place is kept in the screen's own pixels too (DevicePlace), so that
// it comes back to the pixel on a screen scaled by a fraction.
// Each time the window shows, it is brought wholly inside the work area of
// its screen as it is first exposed, and after each move or resize for
// kPlacingTime after that (a busy window manager may frame the window
// later): at once where and as large as the program made it, else once
// the window has rested kSettleTime (as the window manager takes a window
// in, Qt may hear of a passing place, or late of a size, that is none).
// From each show until the window has rested kSettleTime after its first
// exposure, the place the program set is held: a resize of the program's,
// which sends Qt's idea of the place with the size (a place the window
// manager passed through as it took the window in, and would move the
// window to), sends the held place, and a window left elsewhere goes back
// to it as it rests. A window that grows or shrinks as it shows keeps its
// place; a move after that is the user's. So is a move the window manager
// tells of, once it has mapped the window, to a place the program never
// sent (the user dragged the window, or another program moved it): it is
// never taken back, and the window is no longer held nor brought on screen
// (MoveReports).
// Lives as long as the window (it is the window's child).
class KeptFrame final : public QObject {
public:
    using Load = std::function<QByteArray()>;
    using Save = std::function<void(const QByteArray&)>;

    static constexpr std::chrono::milliseconds kSaveDelay{1000};
    static constexpr std::chrono::milliseconds kPlacingTime{3000};
    static constexpr std::chrono::milliseconds kSettleTime{500};

    static KeptFrame* keep(QWidget& window, Load load, Save save);
    ~KeptFrame() override;

    // False when nothing usable was saved; the window then stays where it is.
    bool restore();
    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The content's top-left corner in logical points and in the screen's
    // pixels at the scale they were read at.
    struct Pixels {
        QPoint logical;
        QPoint device;
        qreal scale = 1.0;
    };
    // What is saved: Qt's record of the frame, and the pixels when known;
    // a frame saved without them is Qt's record alone.
    static QByteArray encode(const QByteArray& geometry, const std::optional<Pixels>& pixels);
    static std::optional<Pixels> decode(const QByteArray& saved, QByteArray& geometry);

    KeptFrame(QWidget& window, Load load, Save save);
    // Where the window's content is now, when the window system says.
    std::optional<Pixels> pixelsNow() const;
    // Back to the pixel last kept, while the logical place is still the one
    // read with it (nothing moved the window since).
    void toKeptPixel();
    // Back to where the content's top-left corner was, `contentAt`, before
    // the window maps.
    void comeBack(const QPoint& contentAt);
    // Sets the content's top-left corner to `contentAt`.
    void moveContentTo(const QPoint& contentAt);
    // Whether the place the program set is held now.
    bool holdsPlace() const;
    // Sends the held place where Qt's idea of the place is another.
    void keepHeldPlace();
    // Notes a place the program has sent the window system.
    void sent(const QPoint& contentAt);
    // Lets the window go where the window manager told it moved, unless the
    // program sent that place.
    void toldOfMove(QPoint pixels);
    // Follows the exposure of the window system's window of the moment.
    void watchExposure();
    // Brings the window on screen, now or once it rests.
    void keepInside();

    QWidget& m_window;
    Load m_load;
    Save m_save;
    QTimer m_saveTimer;
    bool m_isPlacing = false;  // shown, not yet exposed
    bool m_isHolding = false;  // shown, m_placedAt held
    bool m_isLetGo = false;    // moved by the user or another program since it showed
    QPointer<QWindow> m_handle;  // the window system's window watched
    std::optional<QPoint> m_hiddenAt;  // the content's corner as it last hid
    std::optional<Pixels> m_pixels;    // as last saved or restored
    QPoint m_placedAt;                 // the content's corner the program last set
    QSize m_placedSize;                // the content's size the program last set
    std::vector<QPoint> m_sentPlaces;  // the content's corners sent since the window last showed
    std::unique_ptr<MoveReports> m_moveReports;
    // Runs for kPlacingTime from the first exposure after a show.
    QTimer m_placing;
    // Runs kSettleTime from the first exposure while the place is held, and
    // from the last move or resize while placing.
    QTimer m_settling;
};
