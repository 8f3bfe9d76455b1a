#include "prefs/ShortcutsTab.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/EditingFinished.h"
#include "prefs/PrefLocalization.h"
#include "platform/widgets/RefusalNote.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// The command each position runs, in position order.
constexpr std::array<const char*, ShortcutKeys::kCount> kCommands{
    "Find panel",          "Home site",         "Real time",          "View north",
    "View south",          "View east",         "View west",          "Altitude 45°",
    "View angle 30°",      "View angle 60°",    "View angle 90°",     "View angle 120°",
    "View angle 180°",     "Night vision",      "Center selection",   "Constellation lines",
    "Boundaries",          "Mythological forms", "RA/Dec grid",       "Alt/Az grid",
    "Ecliptic",            "Equator",           "Meridian",           "Outlines",
    "Planet names",        "Star names",        "Deep sky names",     "Comet names",
    "Milky Way",           "Planet path",       "Photographs",        "Below horizon",
    "Mist",                "Meteor showers",    "Time +1 minute",     "Time -1 minute",
    "Time +1 hour",        "Time -1 hour",      "Time +1 day",        "Time -1 day",
    "Time +1 sidereal day", "Time -1 sidereal day"};

constexpr int kRows = 14;
constexpr char kTakenNote[] = "The key %1 is already the shortcut of \"%2\".";

}  // namespace

ShortcutsTab::ShortcutsTab(PrefControl& prefs, QWidget* parent) : QWidget(parent), m_prefs(prefs)
{
    auto* grid = new QGridLayout(this);
    for (int p = 0; p < ShortcutKeys::kCount; ++p) {
        auto* field = new QLineEdit(this);
        field->setMaximumWidth(32);
        EditingFinished::connect(field, this, [this, p] { shortcutAction(p); });
        const int column = p / kRows * 2;
        grid->addWidget(new QLabel(tr(kCommands[size_t(p)]), this), p % kRows, column);
        grid->addWidget(field, p % kRows, column + 1);
        m_fields[size_t(p)] = field;
    }
    m_note = new RefusalNote(this);
    grid->addWidget(m_note, kRows, 0, 1, (ShortcutKeys::kCount + kRows - 1) / kRows * 2);
    grid->setRowStretch(kRows + 1, 1);
}

void ShortcutsTab::setupShortcuts()
{
    const QString shortcuts = ShortcutKeys::fitted(m_prefs.shortcutPrefStr());
    for (int p = 0; p < ShortcutKeys::kCount; ++p)
        m_fields[size_t(p)]->setText(shortcuts[p]);
}

bool ShortcutsTab::shortcutAction(int position)
{
    if (position < 0 || position >= ShortcutKeys::kCount)
        return false;
    QLineEdit* field = m_fields[size_t(position)];
    const QChar key = ShortcutKeys::keyOf(field->text());
    const QString stored = ShortcutKeys::fitted(m_prefs.shortcutPrefStr());
    if (ShortcutKeys::isTakenElsewhere(stored, key, position)) {
        // The field shows the key that stays stored, so a later save of
        // another field keeps it.
        field->setText(stored[position]);
        const int owner = int(stored.indexOf(key));
        m_note->refuse(PrefLocalization::localized(kTakenNote)
                           .arg(QString(key), tr(kCommands[size_t(std::max(owner, 0))])));
        return false;
    }
    m_note->clearNote();
    // The field shows the one key it binds: "-" for an emptied field.
    field->setText(key);
    shortcutSave();
    return true;
}

void ShortcutsTab::shortcutSave()
{
    QString shortcuts;
    for (QLineEdit* field : m_fields)
        shortcuts += ShortcutKeys::keyOf(field->text());
    m_prefs.saveShortcutPref(shortcuts);
    m_prefs.writeSettings();
}
