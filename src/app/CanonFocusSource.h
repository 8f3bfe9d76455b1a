#pragma once

#include "app/CameraFocusPixels.h"
#include "camera/canon/CanonControl.h"
#include "camera/views/canon/CanonImageView.h"
#include "camera/views/canon/CanonPanel.h"
#include "focus/FocusImageSource.h"
#include "platform/LazyOwner.h"

// The Canon live view's focus buffer as the focusers' autofocus runs
// measure it. The live view shows in the camera's panel: until the panel is
// made there is no focus image.
class CanonFocusSource final : public FocusImageSource {
public:
    CanonFocusSource(CanonControl& control, const LazyOwner<CanonPanel>& panel) : m_control(control), m_panel(panel) {}

    bool isCameraConnected() const override { return m_control.isConnected(); }
    bool hasFocusImage() const override
    {
        const CanonImageView* view = liveView();
        return view && view->hasCanonFocusImage();
    }
    void setHasFocusImage(bool fresh) override
    {
        if (CanonImageView* view = liveView())
            view->setHasCanonFocusImage(fresh);
    }
    FocusPixels focusImage() const override
    {
        const CanonImageView* view = liveView();
        if (!view)
            return {};
        const QByteArray& buffer = view->canonFocusBuff();
        return cameraFocusPixels(reinterpret_cast<const std::uint8_t*>(buffer.constData()),
                                 std::size_t(buffer.size()), view->lvWidth(), view->lvHeight());
    }

private:
    CanonImageView* liveView() const
    {
        const CanonPanel* panel = m_panel.ifMade();
        return panel ? &panel->imageView() : nullptr;
    }

    CanonControl& m_control;
    const LazyOwner<CanonPanel>& m_panel;
};
