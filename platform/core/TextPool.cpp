#include "TextPool.h"

QString TextPool::shared(const QString& text)
{
    if (text.isEmpty())
        return text;
    Shard& shard = shards[qHash(text) % shardCount];
    const std::lock_guard<std::mutex> hold(shard.lock);
    const auto pooled = shard.texts.constFind(text);
    if (pooled != shard.texts.constEnd())
        return *pooled;
    shard.texts.insert(text);
    return text;
}
