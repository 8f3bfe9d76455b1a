#pragma once

#include <QString>

#include <optional>

// How one menu item shows before its menu opens.
struct MenuItemState {
    bool enabled = true;
    // The item's check mark; unset leaves it as it is.
    std::optional<bool> checked;
    // A title that follows the settings; unset keeps the item's own.
    std::optional<QString> title;
};

// What one menu does: every item hands its tag to menuAction, and before the
// menu opens each item asks how it shows.
class TaggedMenuActions {
public:
    virtual ~TaggedMenuActions() = default;
    virtual void menuAction(int tag) = 0;
    virtual MenuItemState validateMenuItem(int tag) const = 0;
};
