#pragma once

#include "prefs/ShortcutKeys.h"

#include <QWidget>

#include <array>

class PrefControl;
class QLineEdit;
class RefusalNote;

// The Shortcuts tab: one single-key field per chart command. A key is bound
// to one command only; typing a key another command has is refused, and the
// field shows the key it keeps.
class ShortcutsTab final : public QWidget {
    Q_OBJECT
public:
    explicit ShortcutsTab(PrefControl& prefs, QWidget* parent = nullptr);

    void setupShortcuts();
    // The user ended editing field `position`; false when the key was refused.
    bool shortcutAction(int position);

    QLineEdit* field(int position) const { return m_fields[size_t(position)]; }
    RefusalNote* refusalNote() const { return m_note; }

private:
    void shortcutSave();

    PrefControl& m_prefs;
    std::array<QLineEdit*, ShortcutKeys::kCount> m_fields{};
    RefusalNote* m_note = nullptr;
};
