#pragma once

#include <QtGlobal>
#include <memory>

class TagFormat;

// A cursor over the elements of a pattern. Positions seen from outside are
// 1-based; an empty pattern reports position 1.
class IIterator
{
public:
    virtual ~IIterator() = default;

    virtual void FirstElem() = 0;
    // Moves on unless the cursor is at the last element.
    virtual void NextElem() = 0;
    // Moves back unless the cursor is at the first element.
    virtual void PrevElem() = 0;
    // An element follows the current one, and the current one is set.
    virtual bool HasNext() const = 0;
    virtual bool HasPrev() const = 0;
    // The element at the cursor; null on an empty pattern.
    virtual std::shared_ptr<TagFormat> Item() const = 0;
    // Puts the given object itself (not a copy) at the cursor.
    virtual void setItem(const std::shared_ptr<TagFormat>& item) = 0;
    virtual qint32 Count() const = 0;
    virtual qint32 AbsolutePosition() const = 0;
    // The element at a 1-based position; null outside 1 to Count. The cursor stays.
    virtual std::shared_ptr<TagFormat> ItemByIndex(qint32 Index) const = 0;
};
