#pragma once

#include "FrameMember.h"

#include <QString>
#include <memory>
#include <vector>

// The registry of panels: FrameMember entries in insertion order, optionally
// under a key. Keys compare without regard to letter case.
//
// Lookups that fail throw Platform::RuntimeError with the classic collection
// numbers: an unknown key 5 ("Invalid procedure call or argument"), a position
// out of range 9 ("Subscript out of range"), a duplicate key 457.
class Frames
{
public:
    enum CollectionError
    {
        ErrInvalidCall = 5,
        ErrSubscript = 9,
        ErrDuplicateKey = 457
    };

    using Entry = std::shared_ptr<FrameMember>;

    // Creates a new entry that refers to the same hosting control as Frame
    // (the argument itself is not stored) and appends it under sKey, or without
    // a key when sKey is empty. A key already present throws.
    Entry Add(const Entry& Frame, const QString& sKey = QString());

    // By 1-based position, or by key.
    Entry Item(int index) const;
    Entry Item(const QString& key) const;

    int Count() const { return static_cast<int>(m_entries.size()); }

    void Remove(int index);
    void Remove(const QString& key);

    // True exactly when an entry with that key exists; never throws.
    bool HasFrame(const QString& Key) const;

    // Enumeration in insertion order (range-for).
    class const_iterator;
    const_iterator begin() const;
    const_iterator end() const;

private:
    struct Slot
    {
        QString key;
        Entry member;
    };
    std::vector<Slot>::const_iterator find(const QString& key) const;
    std::size_t position(int index) const;

    std::vector<Slot> m_entries;

public:
    class const_iterator
    {
    public:
        explicit const_iterator(std::vector<Slot>::const_iterator it) : m_it(it) {}
        const Entry& operator*() const { return m_it->member; }
        const_iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_it != other.m_it; }
        bool operator==(const const_iterator& other) const { return m_it == other.m_it; }

    private:
        std::vector<Slot>::const_iterator m_it;
    };
};

inline Frames::const_iterator Frames::begin() const
{
    return const_iterator(m_entries.begin());
}
inline Frames::const_iterator Frames::end() const
{
    return const_iterator(m_entries.end());
}
