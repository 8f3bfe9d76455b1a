#pragma once

#include "app/FocuserWindowLink.h"
#include "platform/LazyOwner.h"

#include <functional>
#include <utility>

// A focuser window, owned and made at first use. A model's link adds the
// fields only its window has.
template <class Window>
class FocuserWindowOwner : public FocuserWindowLink {
public:
    using Make = typename LazyOwner<Window>::Make;
    using Attach = std::function<void(Window&)>;

    explicit FocuserWindowOwner(Make make) : m_window(std::move(make)) {}

    // The window, made at the first call: its controls act on the frame
    // `attach` joined, and it shows what was kept until then.
    Window& get() { return m_window.get(); }
    Window* ifMade() const { return m_window.ifMade(); }
    void whenMade(std::function<void(FocuserWindow&)> join) override
    {
        m_window.whenMade([join = std::move(join)](Window& made) { join(made); });
    }
    void attach(Attach attach)
    {
        m_window.whenMade([this, attach = std::move(attach)](Window& made) {
            attach(made);
            fill(made);
            fillOwn(made);
        });
    }

protected:
    FocuserWindow& window() override { return m_window.get(); }
    FocuserWindow* madeWindow() const override { return m_window.ifMade(); }
    // The model's own fields kept until the window was made.
    virtual void fillOwn(Window&) {}

private:
    LazyOwner<Window> m_window;
};
