#include "platform/widgets/ProgramActivity.h"

#include "platform/widgets/X11ActiveWindow.h"

#include <QGuiApplication>
#include <QPointer>

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

}  // namespace

ProgramActivity::ProgramActivity(std::unique_ptr<ActiveWindowSource> source, QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_state(QGuiApplication::applicationState())
{
    switch (m_source->owner()) {
    case ActiveOwner::Program:
        m_state = Qt::ApplicationActive;
        break;
    case ActiveOwner::OtherProgram:
        m_state = Qt::ApplicationInactive;
        break;
    case ActiveOwner::NoOne:
    case ActiveOwner::Untold:
        break;
    }
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
    Qt::ApplicationState state = m_state;
    switch (m_source->owner()) {
    case ActiveOwner::Program:
        state = Qt::ApplicationActive;
        break;
    case ActiveOwner::OtherProgram:
        state = Qt::ApplicationInactive;
        break;
    // No window active is no other program's: the user has not left.
    case ActiveOwner::NoOne:
    case ActiveOwner::Untold:
        break;
    }
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}
