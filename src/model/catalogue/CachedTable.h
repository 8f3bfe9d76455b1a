#pragma once

#include "model/catalogue/CatalogueMessages.h"
#include "model/catalogue/SourceText.h"
#include "model/records/TvkFile.h"

#include <QString>

#include <cstdint>
#include <new>
#include <span>
#include <string_view>
#include <vector>

// A catalogue kept as a binary cache in the "Database" folder and built from
// a tab-separated source text when the cache is missing (stars, deep sky).
// A table shorter than its minimum is refused on load and never written.
template <TvkFile::TableRecord Record>
struct CachedTable {
    QString cachePath;
    QString sourcePath;
    std::size_t minRecords = 0;
    std::size_t minFields = 0;  // field counts a record line may have
    std::size_t maxFields = 0;
    Record (*makeRecord)(std::uint32_t index,
                         const std::vector<std::string_view>& fields) = nullptr;
    const char* buildError = nullptr;   // a record line is missing or malformed
    const char* writeError = nullptr;   // the cache cannot be written
    const char* numberError = nullptr;  // fewer records than the minimum

    // Loads the cache, or builds it from the source when it cannot be read.
    TableError load(std::vector<Record>& records) const
    {
        try {
            std::vector<Record> loaded;
            if (!TvkFile::load(cachePath, loaded))
                return build(records);
            if (loaded.size() < minRecords)
                return QString(numberError);
            records = std::move(loaded);
            return {};
        } catch (const std::bad_alloc&) {
            return QString(CatalogueMessages::kCanNotAllocateMemory);
        }
    }

    // Builds the table from the source and replaces the cache. On any failure
    // `records` and the cache file are left exactly as they were.
    TableError build(std::vector<Record>& records) const
    {
        try {
            SourceText text;
            if (!text.read(sourcePath))
                return QString(CatalogueMessages::kCanNotOpenRequiredFile);
            std::vector<Record> built;
            if (TableError error = parse(text, built))
                return error;
            if (built.size() < minRecords)
                return QString(numberError);
            if (!TvkFile::save(cachePath, std::span<const Record>(built)))
                return QString(writeError);
            records = std::move(built);
            return {};
        } catch (const std::bad_alloc&) {
            return QString(CatalogueMessages::kCanNotAllocateMemory);
        }
    }

    // The N records the count line announces. The count is checked against the
    // lines present before anything is allocated for it.
    TableError parse(const SourceText& text, std::vector<Record>& records) const
    {
        const long long count = text.declaredCount();
        if (count < 0 || std::size_t(count) > text.recordLineCount())
            return QString(buildError);
        records.clear();
        records.reserve(std::size_t(count));
        std::vector<std::string_view> fields;
        for (std::size_t i = 0; i < std::size_t(count); ++i) {
            text.splitRecord(i, fields);
            if (fields.size() < minFields || fields.size() > maxFields)
                return QString(buildError);
            records.push_back(makeRecord(std::uint32_t(i), fields));
        }
        return {};
    }
};
