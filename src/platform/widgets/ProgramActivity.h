#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Whose window the window manager has made the active one.
enum class ActiveOwner {
    Program,       // one of the program's windows
    OtherProgram,  // another program's window
    NoOne,         // none, or a window already gone
    Untold,        // the window system does not say
};

// Where the window manager's word on the active window comes from.
class ActiveWindowSource {
public:
    virtual ~ActiveWindowSource() = default;
    virtual ActiveOwner owner() const = 0;
    // `changed` is called each time the window manager names another window.
    virtual void follow(std::function<void()> changed) = 0;
};

// Whether the program is the one the user works in. It leaves the user only
// when the user leaves it: when the window manager makes another program's
// window the active one. Qt calls the application inactive whenever none of
// its windows has the keyboard, and a window manager takes the keyboard for
// as long as it moves or resizes a window; hiding the program's windows then
// would leave nothing the window manager could hand the keyboard back to.
// Where the window system does not say which window is active, Qt's state is
// taken as it is.
class ProgramActivity final : public QObject {
    Q_OBJECT
public:
    explicit ProgramActivity(std::unique_ptr<ActiveWindowSource> source, QObject* parent = nullptr);
    ~ProgramActivity() override;

    // The program's one, following the window manager of its display.
    static ProgramActivity& instance();

    Qt::ApplicationState state() const { return m_state; }

signals:
    // Active or inactive; the program's windows follow it.
    void stateChanged(Qt::ApplicationState state);

private:
    void qtStateChanged(Qt::ApplicationState state);
    void windowManagerChanged();

    std::unique_ptr<ActiveWindowSource> m_source;
    Qt::ApplicationState m_state;
};
