#include "TextPool.h"

#include <limits>

QString TextPool::shared(const QString& text)
{
    if (text.isEmpty())
        return text;
    // The shard comes from the top bits of the hash: the sets find their buckets by the low ones, which would
    // otherwise be the same for every text of a shard whenever the sets' hash seed is zero.
    const size_t hash = qHash(text);
    Shard& shard = shards[hash >> (std::numeric_limits<size_t>::digits - shardBits)];
    const std::lock_guard<std::mutex> hold(shard.lock);
    const auto pooled = shard.texts.constFind(text);
    if (pooled != shard.texts.constEnd())
        return *pooled;
    shard.texts.insert(text);
    return text;
}

void TextPool::clear()
{
    for (Shard& shard : shards) {
        const std::lock_guard<std::mutex> hold(shard.lock);
        shard.texts = {};
    }
}
