#pragma once

// The Canon camera controller, as far as the quit sequence needs it.
class CanonCamera {
public:
    virtual ~CanonCamera() = default;
    virtual bool isCanonConnected() const = 0;
    virtual void canonDisconnect() = 0;
};
