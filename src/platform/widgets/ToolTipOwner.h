#pragma once

// A window or control group whose tool tips the user can switch off.
class ToolTipOwner {
public:
    virtual ~ToolTipOwner() = default;
    virtual void setToolTips() = 0;
    virtual void clearToolTips() = 0;
};
