#pragma once

#include "mount/links/ConnectMenuLinks.h"
#include "platform/LazyOwner.h"
#include "platform/widgets/ToolPanel.h"

#include <optional>

// A device panel as the Connect menu and the chart's window settings reach
// it, made only when it is first shown. Its hide and tool-tip settings wait
// until then.
template <class Panel>
class LazyToolPanel final : public MenuPanel, public ToolPanel {
public:
    explicit LazyToolPanel(LazyOwner<Panel>& panel) : m_panel(panel)
    {
        m_panel.whenMade([this](Panel& made) {
            if (m_hide)
                made.setHide(*m_hide);
            if (m_toolTips)
                showToolTips(made);
        });
    }

    bool isVisible() const override
    {
        const Panel* made = m_panel.ifMade();
        return made && made->isVisible();
    }
    void show() override { m_panel.get().show(); }
    void hide() override
    {
        if (Panel* made = m_panel.ifMade())
            made->hide();
    }
    // As its close button: a device panel ends its device's connection.
    void closeAsUser() override
    {
        if (Panel* made = m_panel.ifMade())
            made->close();
    }
    void setHide(bool hide) override
    {
        m_hide = hide;
        if (Panel* made = m_panel.ifMade())
            made->setHide(hide);
    }
    void setToolTips() override { setToolTipsOn(true); }
    void clearToolTips() override { setToolTipsOn(false); }

private:
    void setToolTipsOn(bool on)
    {
        m_toolTips = on;
        if (Panel* made = m_panel.ifMade())
            showToolTips(*made);
    }
    void showToolTips(Panel& made) const
    {
        if (*m_toolTips)
            made.setToolTips();
        else
            made.clearToolTips();
    }

    LazyOwner<Panel>& m_panel;
    std::optional<bool> m_hide;
    std::optional<bool> m_toolTips;
};
