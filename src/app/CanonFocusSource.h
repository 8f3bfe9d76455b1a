#pragma once

#include "app/CameraFocusPixels.h"
#include "camera/canon/CanonControl.h"
#include "camera/views/canon/CanonImageView.h"
#include "focus/FocusImageSource.h"

// The Canon live view's focus buffer as the focusers' autofocus runs measure it.
class CanonFocusSource final : public FocusImageSource {
public:
    CanonFocusSource(CanonControl& control, CanonImageView& view) : m_control(control), m_view(view) {}

    bool isCameraConnected() const override { return m_control.isConnected(); }
    bool hasFocusImage() const override { return m_view.hasCanonFocusImage(); }
    void setHasFocusImage(bool fresh) override { m_view.setHasCanonFocusImage(fresh); }
    FocusPixels focusImage() const override
    {
        const QByteArray& buffer = m_view.canonFocusBuff();
        return cameraFocusPixels(reinterpret_cast<const std::uint8_t*>(buffer.constData()),
                                 std::size_t(buffer.size()), m_view.lvWidth(), m_view.lvHeight());
    }

private:
    CanonControl& m_control;
    CanonImageView& m_view;
};
