#include "platform/widgets/ProgramActivity.h"

#include "platform/widgets/X11ActiveWindow.h"

#include <QGuiApplication>
#include <QPointer>

#include <optional>

namespace {

// Off X11 Qt's state is all there is.
class QtStateOnly final : public ActiveWindowSource {
public:
    ActiveOwner owner() const override { return ActiveOwner::Untold; }
    void follow(std::function<void()>) override {}
};

std::unique_ptr<ActiveWindowSource> displaySource()
{
    if (std::unique_ptr<X11ActiveWindow> x11 = X11ActiveWindow::create())
        return x11;
    return std::make_unique<QtStateOnly>();
}

// The program's state when the window manager names the owner of the
// active window; none when it does not say. No window active is no other
// program's: the user has not left.
std::optional<Qt::ApplicationState> stateOf(ActiveOwner owner)
{
    switch (owner) {
    case ActiveOwner::Program:
        return Qt::ApplicationActive;
    case ActiveOwner::OtherProgram:
        return Qt::ApplicationInactive;
    case ActiveOwner::NoOne:
    case ActiveOwner::Untold:
        break;
    }
    return std::nullopt;
}

}  // namespace

ProgramActivity::ProgramActivity(std::unique_ptr<ActiveWindowSource> source, QObject* parent)
    : QObject(parent), m_source(std::move(source)),
      m_state(stateOf(m_source->owner()).value_or(QGuiApplication::applicationState()))
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &ProgramActivity::qtStateChanged);
    // Read once the event that told of the change has been handled.
    m_source->follow([this] {
        QMetaObject::invokeMethod(this, &ProgramActivity::windowManagerChanged, Qt::QueuedConnection);
    });
}

ProgramActivity::~ProgramActivity() = default;

ProgramActivity& ProgramActivity::instance()
{
    static QPointer<ProgramActivity> activity;
    if (!activity)
        activity = new ProgramActivity(displaySource(), qGuiApp);
    return *activity;
}

void ProgramActivity::qtStateChanged(Qt::ApplicationState state)
{
    if (m_source->owner() == ActiveOwner::Untold) {
        m_state = state;
        emit stateChanged(state);
    } else {
        // Qt's word is only a moment to ask the window manager's.
        windowManagerChanged();
    }
}

void ProgramActivity::windowManagerChanged()
{
    const Qt::ApplicationState state = stateOf(m_source->owner()).value_or(m_state);
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}
