#pragma once

// Turns the view to the find selection.
class ObjectCentering {
public:
    virtual ~ObjectCentering() = default;
    // Nothing happens when nothing is selected.
    virtual void centerObject() = 0;
};
