#pragma once

#include "model/projection/CustomFilterList.h"

#include <QSet>
#include <QString>
#include <QStringList>

// The user's custom deep-sky filters: the text files of the tour folder whose
// names hold ".txt", one object name per line, and the names of the chosen
// one, matched exactly against each deep-sky object the projection passes.
class CustomFilter final : public CustomFilterList {
public:
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
    static constexpr char kUnreadableTitle[] = "Can not find filter file:";

    // Lists the filter files of `folder` (a path ending in "/"), in listing
    // order; ".DS_Store" is skipped.
    void setupCustomFilters(const QString& folder);
    // Loads the names of pop-up item `customFilterIndex` (1 is the first
    // file). A file that cannot be read raises the alert and keeps the
    // previous names; false then. Index 0 (no filter) leaves the names alone.
    bool setupFilterObjects(int customFilterIndex);
    bool findFilterObject(const deepSky& object) const override;

    int numCustomFilters() const { return m_numCustomFilters; }
    const QStringList& filterPaths() const { return m_filterPaths; }
    // The pop-up titles after "Custom Filter": each name up to its ".txt".
    const QStringList& filterTitles() const { return m_filterTitles; }
    const QStringList& customFilterObjects() const { return m_customFilterObjects; }
    int numObjectsInFilter() const { return int(m_customFilterObjects.size()); }

private:
    bool contains(const char* field, qsizetype size, bool (*firstOk)(char)) const;

    int m_numCustomFilters = 0;
    QStringList m_filterPaths;
    QStringList m_filterTitles;
    QStringList m_customFilterObjects;
    // Asked once per deep-sky object and redraw: a set, not the list.
    QSet<QString> m_names;
};
