#pragma once

#include "platform/widgets/ToolTipOwner.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QWidget;

// The preferences window's texts and tool tips, each looked up by its
// English text in the string table "PrefPanel" (a missing entry shows the
// English text). The tabs register their controls as they build them.
class PrefLocalization final : public ToolTipOwner {
public:
    static QString localized(const QString& key);
    // A text for a button or box title, where Qt reads "&" as a mnemonic.
    static QString mnemonicFree(const QString& text);

    // Each shows its key at once and its localised text at every localizePrefPanel().
    QAbstractButton* label(QAbstractButton* button, const char* key);
    QLabel* label(QLabel* caption, const char* key);
    QGroupBox* label(QGroupBox* box, const char* key);
    // A text applied some other way (a pop-up item, a title from a table).
    void text(std::function<void(const QString&)> apply, const QString& key);
    // A tool tip set by setToolTips() and removed by clearToolTips(); a
    // column of fields that acts as one control shares one.
    void tip(QWidget* control, const char* key) { tip(std::vector<QWidget*>{control}, key); }
    void tip(std::vector<QWidget*> cells, const char* key);

    void localizePrefPanel();
    void setToolTips() override;
    void clearToolTips() override;
    // The controls with a tip, a shared one counted once.
    int toolTipCount() const { return int(m_tips.size()); }

private:
    std::vector<std::pair<QString, std::function<void(const QString&)>>> m_texts;
    std::vector<std::pair<std::vector<QWidget*>, QString>> m_tips;
};
