// One copy of each text for a bulk read: a load of many files meets the same IDs, names, places and times again
// and again, and a QString shares its characters with every copy of it. Handing out the pooled copy of each text
// read keeps one block of characters per value instead of one per occurrence.
#pragma once

#include <QSet>
#include <QString>

#include <array>
#include <mutex>

class TextPool
{
public:
    // The pooled copy of text's value: the first text handed in with it. An empty text comes back as it is (a
    // null text stays null). Safe to call from several threads at once; the texts handed out outlive the pool.
    QString shared(const QString& text);
    // Forgets every text; the copies handed out stay as they are.
    void clear();

private:
    // Texts are spread over shards by their hash, each with its own lock, so that threads reading at once
    // seldom wait for each other.
    struct Shard
    {
        std::mutex lock;
        QSet<QString> texts;
    };
    static constexpr int shardBits = 6;
    std::array<Shard, size_t(1) << shardBits> shards;
};
