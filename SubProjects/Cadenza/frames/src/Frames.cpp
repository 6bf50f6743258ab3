#include "Frames.h"

#include "Platform/RuntimeError.h"

namespace {

const char* const Source = "Frames";

} // namespace

Frames::Entry Frames::Add(const Entry& Frame, const QString& sKey)
{
    if (!sKey.isEmpty() && find(sKey) != m_entries.end())
        throw Platform::RuntimeError(ErrDuplicateKey, Source,
                                     "This key is already associated with an element of this collection");
    auto member = std::make_shared<FrameMember>();
    if (Frame)
        member->setFrame(Frame->Frame());
    m_entries.push_back({sKey, member});
    return member;
}

Frames::Entry Frames::Item(int index) const
{
    return m_entries[position(index)].member;
}

Frames::Entry Frames::Item(const QString& key) const
{
    auto it = find(key);
    if (it == m_entries.end())
        throw Platform::RuntimeError(ErrInvalidCall, Source, "Invalid procedure call or argument");
    return it->member;
}

void Frames::Remove(int index)
{
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position(index)));
}

void Frames::Remove(const QString& key)
{
    auto it = find(key);
    if (it == m_entries.end())
        throw Platform::RuntimeError(ErrInvalidCall, Source, "Invalid procedure call or argument");
    m_entries.erase(it);
}

bool Frames::HasFrame(const QString& Key) const
{
    auto it = find(Key);
    return it != m_entries.end() && it->member != nullptr;
}

std::vector<Frames::Slot>::const_iterator Frames::find(const QString& key) const
{
    if (key.isEmpty())
        return m_entries.end();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (!it->key.isEmpty() && it->key.compare(key, Qt::CaseInsensitive) == 0)
            return it;
    }
    return m_entries.end();
}

std::size_t Frames::position(int index) const
{
    if (index < 1 || index > Count())
        throw Platform::RuntimeError(ErrSubscript, Source, "Subscript out of range");
    return static_cast<std::size_t>(index - 1);
}
