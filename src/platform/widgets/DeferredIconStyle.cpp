#include "platform/widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

#include <optional>

namespace {

// An icon that asks the style for the real one the first time it is used.
class DeferredIconEngine final : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap icon, Qt::LayoutDirection direction)
        : m_style(style), m_icon(icon), m_direction(direction)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return made().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return made().availableSizes(mode, state);
    }
    QString iconName() override { return made().name(); }
    // The style's own icons for these always exist.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    QIcon made()
    {
        if (!m_made) {
            QStyleOption option;
            option.direction = m_direction;
            m_made = m_style ? m_style->standardIcon(m_icon, &option) : QIcon();
        }
        return *m_made;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_icon;
    Qt::LayoutDirection m_direction;
    std::optional<QIcon> m_made;
};

}  // namespace

// By name: the style the application has made by then honours -style and
// QT_STYLE_OVERRIDE.
DeferredIconStyle::DeferredIconStyle() : QProxyStyle(QApplication::style()->name()) {}

bool DeferredIconStyle::isDeferred(StandardPixmap icon)
{
    return icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton
           || icon == SP_LineEditClearButton;
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (!isDeferred(icon))
        return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction = option ? option->direction : QApplication::layoutDirection();
    return QIcon(new DeferredIconEngine(baseStyle(), icon, direction));
}
