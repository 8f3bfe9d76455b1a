#include "prefs/PrefLocalization.h"

#include "platform/StringTables.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

QString PrefLocalization::localized(const QString& key)
{
    return StringTables::localizedString(QStringLiteral("PrefPanel"), key);
}

QString PrefLocalization::mnemonicFree(const QString& text)
{
    QString escaped = text;
    return escaped.replace(u'&', QStringLiteral("&&"));
}

QAbstractButton* PrefLocalization::label(QAbstractButton* button, const char* key)
{
    text([button](const QString& t) { button->setText(mnemonicFree(t)); }, QString::fromUtf8(key));
    return button;
}

QLabel* PrefLocalization::label(QLabel* caption, const char* key)
{
    caption->setTextFormat(Qt::PlainText);
    text([caption](const QString& t) { caption->setText(t); }, QString::fromUtf8(key));
    return caption;
}

QGroupBox* PrefLocalization::label(QGroupBox* box, const char* key)
{
    text([box](const QString& t) { box->setTitle(mnemonicFree(t)); }, QString::fromUtf8(key));
    return box;
}

void PrefLocalization::text(std::function<void(const QString&)> apply, const QString& key)
{
    apply(key);
    m_texts.emplace_back(key, std::move(apply));
}

void PrefLocalization::tip(std::vector<QWidget*> cells, const char* key)
{
    m_tips.emplace_back(std::move(cells), QString::fromUtf8(key));
}

void PrefLocalization::localizePrefPanel()
{
    for (const auto& [key, apply] : m_texts)
        apply(localized(key));
}

void PrefLocalization::setToolTips()
{
    for (const auto& [cells, key] : m_tips) {
        const QString text = localized(key);
        for (QWidget* cell : cells)
            cell->setToolTip(text);
    }
}

void PrefLocalization::clearToolTips()
{
    for (const auto& [cells, key] : m_tips) {
        for (QWidget* cell : cells)
            cell->setToolTip(QString());
    }
}
