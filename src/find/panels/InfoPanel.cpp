#include "find/panels/InfoPanel.h"

#include "platform/StringTables.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

InfoPanel::InfoPanel(PrefControl& prefs, Links links, const QString& title,
                     std::initializer_list<const char*> rowKeys, bool hasThumbnail,
                     QWidget* parent)
    : PanelKeyControl(prefs, std::move(links), parent)
{
    setWindowTitle(title);
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const char* key : rowKeys) {
        const QString caption =
            StringTables::localizedString(QStringLiteral("Windows"), QString::fromLatin1(key));
        grid->addWidget(new QLabel(caption, this), row, 0, Qt::AlignRight);
        auto* value = new QLabel(QStringLiteral(" "), this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, row, 1);
        m_values.insert(QString::fromLatin1(key), value);
        ++row;
    }
    if (hasThumbnail) {
        m_thumbnail = new QToolButton(this);
        m_thumbnail->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
        m_thumbnail->hide();
        grid->addWidget(m_thumbnail, row, 0, 1, 2, Qt::AlignCenter);
    }
}

void InfoPanel::setValue(const char* key, const QString& text)
{
    if (QLabel* label = m_values.value(QString::fromLatin1(key)))
        label->setText(text);
}

QString InfoPanel::value(const char* key) const
{
    const QLabel* label = m_values.value(QString::fromLatin1(key));
    return label ? label->text() : QString();
}

void InfoPanel::setThumbnail(const QImage& photo)
{
    if (!m_thumbnail)
        return;
    if (photo.isNull()) {
        m_thumbnail->hide();
        return;
    }
    m_thumbnail->setIcon(QPixmap::fromImage(photo.scaled(kThumbnailSide, kThumbnailSide)));
    m_thumbnail->show();
}
