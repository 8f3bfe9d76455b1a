#include "chart/toolbar/ToolbarDelagate.h"

#include "chart/menus/MenuText.h"
#include "chart/toolbar/TimeToolbarView.h"
#include "chart/toolbar/ToolbarActions.h"
#include "chart/toolbar/ToolbarCustomizeDialog.h"
#include "chart/toolbar/ToolbarItems.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ImageFile.h"
#include "platform/widgets/WindowStacking.h"

#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <QWidget>

namespace {

// How often the labels are brought up to date with the layers they switch.
constexpr int kValidationMilliseconds = 500;
constexpr int kSearchFieldWidth = 100;

}  // namespace

ToolbarDelagate::ToolbarDelagate(ToolbarActions& actions, PrefControl& prefs, QMainWindow& window, QString images)
    : QObject(&window), m_actions(actions), m_prefs(prefs), m_window(window), m_images(std::move(images))
{
    m_validation.setInterval(kValidationMilliseconds);
    connect(&m_validation, &QTimer::timeout, this, &ToolbarDelagate::validateToolbarItems);
}

void ToolbarDelagate::setupToolbar()
{
    if (!m_toolbar) {
        m_toolbar = new QToolBar(ToolbarItems::kToolbarIdentifier, &m_window);
        m_toolbar->setObjectName(ToolbarItems::kToolbarIdentifier);
        m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        m_toolbar->setMovable(false);
        m_window.addToolBar(Qt::TopToolBarArea, m_toolbar);
    }
    m_identifiers = ToolbarItems::restoredItemIdentifiers(
        m_prefs.toolbarConfiguration(ToolbarItems::kToolbarIdentifier));
    build();
    m_validation.start();
}

void ToolbarDelagate::setItemIdentifiers(const QStringList& identifiers)
{
    m_identifiers = ToolbarItems::restoredItemIdentifiers(identifiers);
    m_prefs.saveToolbarConfiguration(ToolbarItems::kToolbarIdentifier, m_identifiers);
    if (m_toolbar)
        build();
}

void ToolbarDelagate::build()
{
    // The old items go with their views, the search field among them.
    const QList<QAction*> old = m_toolbar->actions();
    m_toolbar->clear();
    for (QAction* action : old)
        if (action->parent() == m_toolbar)
            delete action;
    for (const QString& identifier : m_identifiers)
        addItem(identifier);
    validateToolbarItems();
}

void ToolbarDelagate::addItem(const QString& identifier)
{
    using namespace ToolbarItems;
    if (identifier == kSeparator) {
        m_toolbar->addSeparator();
    } else if (identifier == kSpace || identifier == kFlexibleSpace) {
        auto* space = new QWidget(m_toolbar);
        if (identifier == kFlexibleSpace)
            space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        else
            space->setFixedWidth(16);
        m_toolbar->addWidget(space);
    } else if (identifier == kCustomize) {
        QAction* customize = m_toolbar->addAction(QStringLiteral("Customize"));
        connect(customize, &QAction::triggered, this, &ToolbarDelagate::runToolbarCustomization);
    } else if (const Item* item = ToolbarItems::item(identifier)) {
        QAction* action = nullptr;
        if (identifier == kTimeView) {
            action = m_toolbar->addWidget(new TimeToolbarView(
                [this](int tag, bool forward) { m_actions.timeToolbarAction(tag, forward); }, m_toolbar));
        } else if (identifier == kFind) {
            m_findTBText = new QLineEdit(m_toolbar);
            m_findTBText->setFixedWidth(kSearchFieldWidth);
            m_findTBText->setClearButtonEnabled(true);
            m_findTBText->setToolTip(QString::fromLatin1(item->toolTip));
            QLineEdit* field = m_findTBText;
            connect(field, &QLineEdit::returnPressed, this, [this, field] {
                if (!m_actions.searchUsingToolbarSearchField(field->text()))
                    field->clearFocus();
            });
            action = m_toolbar->addWidget(field);
        } else {
            const int tag = item->tag;
            action = m_toolbar->addAction(
                QIcon(QPixmap::fromImage(ImageFile::image(m_images + QString::fromLatin1(item->image)))), QString());
            connect(action, &QAction::triggered, this, [this, tag] {
                m_actions.skyToolbarAction(tag);
                validateToolbarItems();
            });
        }
        action->setData(item->tag);
        action->setText(menuText(item->label));
        action->setIconText(menuText(item->label));
        if (identifier != kFind)
            action->setToolTip(menuText(item->toolTip));
    }
}

void ToolbarDelagate::validateToolbarItems()
{
    if (!m_toolbar)
        return;
    for (QAction* action : m_toolbar->actions()) {
        if (!action->data().isValid())
            continue;
        const QString label = m_actions.validateToolbarItem(action->data().toInt(), action->text());
        if (label != action->text()) {
            action->setText(label);
            action->setIconText(label);
        }
    }
}

void ToolbarDelagate::clearToolTips()
{
    if (!m_toolbar)
        return;
    for (QAction* action : m_toolbar->actions())
        action->setToolTip(QString());
    if (m_findTBText)
        m_findTBText->setToolTip(QString());
}

void ToolbarDelagate::runToolbarCustomization()
{
    ToolbarCustomizeDialog dialog(m_identifiers, m_images, &m_window);
    if (WindowStacking::execOnTop(dialog) == QDialog::Accepted)
        setItemIdentifiers(dialog.itemIdentifiers());
}
