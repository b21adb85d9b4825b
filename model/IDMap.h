// An ordered map from object IDs to the objects, with a hash index beside it: walks visit the objects in
// ordinal order of their IDs, while a lookup by ID costs one hash probe instead of a descent through a tree of
// several hundred thousand nodes. The interface is the part of std::map the database uses, so the index can
// never go out of step with the map.
#pragma once

#include <QHash>
#include <QString>
#include <iterator>
#include <map>

template <typename T>
class KV_IDMap
{
public:
    using Tree = std::map<QString, T*>;
    using iterator = typename Tree::iterator;
    using const_iterator = typename Tree::const_iterator;
    using reverse_iterator = typename Tree::reverse_iterator;
    using const_reverse_iterator = typename Tree::const_reverse_iterator;

    KV_IDMap() = default;
    // The index and the last insertion point name entries of this map's own tree.
    KV_IDMap(const KV_IDMap&) = delete;
    KV_IDMap& operator=(const KV_IDMap&) = delete;

    iterator begin() { return tree.begin(); }
    iterator end() { return tree.end(); }
    const_iterator begin() const { return tree.begin(); }
    const_iterator end() const { return tree.end(); }
    reverse_iterator rbegin() { return tree.rbegin(); }
    reverse_iterator rend() { return tree.rend(); }
    const_reverse_iterator rbegin() const { return tree.rbegin(); }
    const_reverse_iterator rend() const { return tree.rend(); }

    std::size_t size() const { return tree.size(); }
    bool empty() const { return tree.empty(); }
    std::size_t count(const QString& id) const { return index.contains(id) ? 1 : 0; }
    // How many entries have left the map so far: what holds on to objects of the map checks whether any may
    // have been freed since.
    quint64 removals() const { return removed; }
    // Makes room in the index for `total` entries, so that a bulk insert of a known number of objects does not
    // rebuild it again and again: each rebuild reads the text of every key already in it.
    void reserve(std::size_t total) { index.reserve(qsizetype(total)); }

    iterator find(const QString& id)
    {
        const auto found = index.constFind(id);
        return found == index.constEnd() ? tree.end() : found.value();
    }
    const_iterator find(const QString& id) const
    {
        const auto found = index.constFind(id);
        return found == index.constEnd() ? tree.end() : const_iterator(found.value());
    }

    // The object stored under the ID; null for an unknown ID.
    T* value(const QString& id) const
    {
        const auto found = index.constFind(id);
        return found == index.constEnd() ? nullptr : found.value()->second;
    }

    // Like std::map: an ID already present keeps its object, and the result says whether the pair went in.
    std::pair<iterator, bool> emplace(const QString& id, T* object)
    {
        // One probe of the index both finds a taken ID and makes the new entry's slot.
        const qsizetype before = index.size();
        iterator& slot = index[id];
        if (index.size() == before)
            return {slot, false};
        try {
            // IDs mostly come in order: data folders are listed in ID order, and new IDs sort after the ones made
            // before them. An ID that goes right after the last one inserted needs no descent through the tree.
            const iterator next = lastInserted == tree.end() ? tree.end() : std::next(lastInserted);
            const bool follows = lastInserted == tree.end()
                                     ? tree.empty() || tree.rbegin()->first < id
                                     : lastInserted->first < id && (next == tree.end() || id < next->first);
            lastInserted = follows ? tree.emplace_hint(next, id, object) : tree.emplace(id, object).first;
        } catch (...) {
            index.remove(id);
            throw;
        }
        slot = lastInserted;
        return {lastInserted, true};
    }
    iterator erase(iterator position)
    {
        if (position == lastInserted)
            lastInserted = tree.end();
        index.remove(position->first);
        ++removed;
        return tree.erase(position);
    }
    std::size_t erase(const QString& id)
    {
        const iterator position = find(id);
        if (position == tree.end())
            return 0;
        erase(position);
        return 1;
    }
    void clear()
    {
        removed += tree.size();
        index.clear();
        tree.clear();
        lastInserted = tree.end();
    }

private:
    Tree tree;
    QHash<QString, iterator> index;
    // The entry inserted last, or end() when it is gone.
    iterator lastInserted = tree.end();
    quint64 removed = 0;
};
