#pragma once

#include "platform/LazyOwner.h"

// A dome panel's set-up side as the settings reach it, made only when the
// panel is first shown. The mount type the settings give is kept until then;
// the set-up texts are shown from the controller as the panel is made.
template <class Panel, class Setup>
class LazySetupPanel : public Setup {
public:
    explicit LazySetupPanel(LazyOwner<Panel>& panel) : m_panel(panel)
    {
        m_panel.whenMade([this](Panel& made) {
            made.setIsGEM(m_isGEM);
            fillTexts(made);
        });
    }

    void setIsGEM(bool gem) override
    {
        m_isGEM = gem;
        if (Panel* made = m_panel.ifMade())
            made->setIsGEM(gem);
    }
    // The panel's choice once it is made.
    bool isGEM() const override
    {
        const Panel* made = m_panel.ifMade();
        return made ? made->isGEM() : m_isGEM;
    }
    bool isVisible() const override
    {
        const Panel* made = m_panel.ifMade();
        return made && made->isVisible();
    }

protected:
    Panel* madePanel() const { return m_panel.ifMade(); }
    // The set-up texts of a panel just made.
    virtual void fillTexts(Panel& made) = 0;

private:
    LazyOwner<Panel>& m_panel;
    bool m_isGEM = false;
};
