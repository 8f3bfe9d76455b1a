#pragma once

#include "model/catalogue/CatalogueMessages.h"
#include "model/records/TvkFile.h"

#include <QString>

#include <new>
#include <vector>

// Reads one of the read-only tables shipped in the "TVk" folder. On failure
// `records` keeps what it held and the error carries `unreadableError`.
template <TvkFile::TableRecord Record>
TableError loadShippedTable(const QString& path, std::vector<Record>& records,
                            const char* unreadableError)
{
    try {
        std::vector<Record> loaded;
        if (!TvkFile::load(path, loaded))
            return QString(unreadableError);
        records = std::move(loaded);
        return {};
    } catch (const std::bad_alloc&) {
        return QString(CatalogueMessages::kCanNotAllocateMemory);
    }
}
