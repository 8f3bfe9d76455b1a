#pragma once

#include "prefs/ShortcutKeys.h"

#include <QWidget>

#include <array>

class PrefControl;
class QLineEdit;

// The Shortcuts tab: one single-key field per chart command. A key is bound
// to one command only; typing a key another command has is refused.
class ShortcutsTab final : public QWidget {
    Q_OBJECT
public:
    explicit ShortcutsTab(PrefControl& prefs, QWidget* parent = nullptr);

    void setupShortcuts();
    // The user ended editing field `position`; false when the key was refused.
    bool shortcutAction(int position);

    QLineEdit* field(int position) const { return m_fields[size_t(position)]; }

private:
    void shortcutSave();

    PrefControl& m_prefs;
    std::array<QLineEdit*, ShortcutKeys::kCount> m_fields{};
};
