#include "focus/views/FocusMenu.h"

#include "focus/FocuserConnection.h"
#include "platform/StringTables.h"

namespace {

QString menuTitle(const char* key)
{
    return StringTables::localizedString("Menus", key);
}

constexpr std::array kSerialTags = {FocusMenu::kOptecTag, FocusMenu::kRoboTag, FocusMenu::kJMITag,
                                    FocusMenu::kMoonTag};

}  // namespace

FocusMenu::FocusMenu(QWidget* parent) : QMenu(menuTitle("Focuser"), parent)
{
    const std::pair<int, const char*> items[] = {
        {kOptecTag, "Optec TCF-S"}, {kRoboTag, "RoboFocus"}, {kJMITag, "JMI"},
        {kFCUSBTag, "FCUSB"},       {kMoonTag, "MoonLite"},
    };
    for (const auto& [tag, title] : items) {
        QAction* item = addAction(menuTitle(title));
        item->setData(tag);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, tag = tag] { focuserMenuAction(tag); });
    }
    connect(this, &QMenu::aboutToShow, this, &FocusMenu::validateMenu);
}

QAction* FocusMenu::itemWithTag(int tag) const
{
    for (QAction* item : actions()) {
        if (item->data().toInt() == tag)
            return item;
    }
    return nullptr;
}

bool FocusMenu::isConnected(int tag) const
{
    // A focuser whose search runs holds the slot as a connected one does.
    const FocuserConnection* focuser = m_focusers[size_t(tag)];
    return focuser && (focuser->isFocuserConnected() || focuser->isFocuserConnecting());
}

void FocusMenu::focuserMenuAction(int tag)
{
    if (tag >= kOptecTag && tag <= kMoonTag && m_focusers[size_t(tag)])
        m_focusers[size_t(tag)]->focuserConnect();
    validateMenu();
}

void FocusMenu::validateMenu()
{
    for (QAction* item : actions()) {
        const int tag = item->data().toInt();
        if (tag < kOptecTag || tag > kMoonTag)
            continue;
        item->setChecked(isConnected(tag));
        bool enabled = m_focusers[size_t(tag)] != nullptr;
        if (tag != kFCUSBTag) {
            for (const int other : kSerialTags) {
                if (other != tag && isConnected(other))
                    enabled = false;
            }
        }
        item->setEnabled(enabled);
    }
}
