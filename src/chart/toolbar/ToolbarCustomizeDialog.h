#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Lets the user choose the toolbar's items and their order: the items the
// toolbar allows on the left, the toolbar's own on the right.
class ToolbarCustomizeDialog final : public QDialog {
public:
    // `images` is the resources' image folder, ending in "/".
    ToolbarCustomizeDialog(const QStringList& current, const QString& images, QWidget* parent = nullptr);

    QStringList itemIdentifiers() const;

private:
    void fill(QListWidget& list, const QStringList& identifiers);
    void addChosen();
    void removeChosen();
    void moveChosen(int by);

    QString m_images;
    QListWidget* m_allowed;
    QListWidget* m_current;
};
