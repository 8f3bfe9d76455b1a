#pragma once

#include "find/panels/PanelKeyControl.h"

#include <QHash>
#include <QString>

#include <initializer_list>

class QGridLayout;
class QImage;
class QLabel;
class QToolButton;

// One object information panel: a column of captions, each keyed by its
// string-table key ("RA:"), with the value beside it, and optionally a
// thumbnail button under them.
class InfoPanel final : public PanelKeyControl {
    Q_OBJECT
public:
    static constexpr int kThumbnailSide = 48;

    InfoPanel(PrefControl& prefs, Links links, const QString& title,
              std::initializer_list<const char*> rowKeys, bool hasThumbnail,
              QWidget* parent = nullptr);

    void setValue(const char* key, const QString& text);
    QString value(const char* key) const;
    // A 48 x 48 copy of `photo` on the button, which hides for a null image.
    void setThumbnail(const QImage& photo);
    QToolButton* thumbnail() const { return m_thumbnail; }

private:
    QHash<QString, QLabel*> m_values;
    QToolButton* m_thumbnail = nullptr;
};
