#pragma once

#include "model/catalogue/CacheRebuilder.h"

#include <functional>
#include <utility>

// The comet or the minor-planet cache, rebuilt through its table's import.
class SmallBodyCacheRebuilder final : public CacheRebuilder {
public:
    SmallBodyCacheRebuilder(QString fileName, std::function<bool()> rebuild)
        : m_fileName(std::move(fileName)), m_rebuild(std::move(rebuild))
    {
    }

    QString cacheFileName() const override { return m_fileName; }
    bool rebuildCache() override { return m_rebuild(); }

private:
    QString m_fileName;
    std::function<bool()> m_rebuild;
};
