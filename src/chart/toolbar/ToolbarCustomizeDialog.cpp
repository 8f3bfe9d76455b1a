#include "chart/toolbar/ToolbarCustomizeDialog.h"

#include "chart/menus/MenuText.h"
#include "chart/toolbar/ToolbarItems.h"
#include "platform/widgets/ImageFile.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kIdentifierRole = Qt::UserRole;

}  // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const QStringList& current, const QString& images, QWidget* parent)
    : QDialog(parent), m_images(images), m_allowed(new QListWidget(this)), m_current(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Customize Toolbar"));
    fill(*m_allowed, ToolbarItems::allowedItemIdentifiers());
    fill(*m_current, current);

    auto* add = new QPushButton(QStringLiteral("Add"), this);
    auto* remove = new QPushButton(QStringLiteral("Remove"), this);
    auto* up = new QPushButton(QStringLiteral("Up"), this);
    auto* down = new QPushButton(QStringLiteral("Down"), this);
    auto* standard = new QPushButton(QStringLiteral("Default Set"), this);
    connect(add, &QPushButton::clicked, this, &ToolbarCustomizeDialog::addChosen);
    connect(remove, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeChosen);
    connect(up, &QPushButton::clicked, this, [this] { moveChosen(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveChosen(1); });
    connect(standard, &QPushButton::clicked, this,
            [this] { fill(*m_current, ToolbarItems::defaultItemIdentifiers()); });
    connect(m_allowed, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::addChosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_allowed, 0, 0, 6, 1);
    layout->addWidget(add, 0, 1);
    layout->addWidget(remove, 1, 1);
    layout->addWidget(up, 2, 1);
    layout->addWidget(down, 3, 1);
    layout->addWidget(standard, 4, 1);
    layout->addWidget(m_current, 0, 2, 6, 1);
    layout->addWidget(buttons, 6, 0, 1, 3);
}

QStringList ToolbarCustomizeDialog::itemIdentifiers() const
{
    QStringList identifiers;
    for (int row = 0; row < m_current->count(); ++row)
        identifiers.append(m_current->item(row)->data(kIdentifierRole).toString());
    return identifiers;
}

void ToolbarCustomizeDialog::fill(QListWidget& list, const QStringList& identifiers)
{
    list.clear();
    for (const QString& identifier : identifiers) {
        const ToolbarItems::Item* item = ToolbarItems::item(identifier);
        auto* row = new QListWidgetItem(item ? menuText(item->label) : identifier, &list);
        if (item && *item->image)
            row->setIcon(QIcon(QPixmap::fromImage(ImageFile::image(m_images + QString::fromLatin1(item->image)))));
        row->setData(kIdentifierRole, identifier);
    }
}

void ToolbarCustomizeDialog::addChosen()
{
    const QListWidgetItem* chosen = m_allowed->currentItem();
    if (!chosen)
        return;
    const QString identifier = chosen->data(kIdentifierRole).toString();
    QStringList identifiers = itemIdentifiers();
    qsizetype at = m_current->currentRow() < 0 ? identifiers.size() : m_current->currentRow() + 1;
    // An item already on the toolbar moves to the new place; spaces repeat.
    if (const qsizetype old = identifiers.indexOf(identifier); old >= 0 && !ToolbarItems::isSpacer(identifier)) {
        identifiers.removeAt(old);
        if (old < at)
            --at;
    }
    identifiers.insert(at, identifier);
    fill(*m_current, identifiers);
    m_current->setCurrentRow(int(at));
}

void ToolbarCustomizeDialog::removeChosen() { delete m_current->takeItem(m_current->currentRow()); }

void ToolbarCustomizeDialog::moveChosen(int by)
{
    const int row = m_current->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_current->count())
        return;
    m_current->insertItem(to, m_current->takeItem(row));
    m_current->setCurrentRow(to);
}
