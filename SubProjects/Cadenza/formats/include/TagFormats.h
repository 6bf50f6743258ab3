#pragma once

#include "IIterator.h"
#include "TagFormat.h"

#include <QString>
#include <memory>
#include <vector>

// A file-name pattern: placeholders and separators in order, with a cursor.
class TagFormats : public IIterator
{
public:
    // Appends a copy of the element (nothing happens for null); the cursor stays.
    void Add(const std::shared_ptr<TagFormat>& TagFmt);

    // The pattern as text, for example "#AR# - #TI#". The cursor is kept.
    QString Serialize();

    // The part of TagString that the placeholder with number TagAttribute
    // covers. IsMissing becomes true when the pattern has no such placeholder
    // and false when it has one; when a separator before the field cannot be
    // found, the result is empty and IsMissing keeps the caller's value.
    // Occurrences of the separator before the field are counted from the start
    // of the name; the field ends at the first occurrence of the next separator
    // after its start (none found: the field is empty). The cursor is kept.
    QString TagAttributeString(qint32 TagAttribute, const QString& TagString, bool& IsMissing);
    // The same, as a view into TagString: no copy for callers that convert the
    // text anyway.
    QStringView TagAttributeView(qint32 TagAttribute, QStringView TagString, bool& IsMissing);

    void FirstElem() override;
    void NextElem() override;
    void PrevElem() override;
    bool HasNext() const override;
    bool HasPrev() const override;
    std::shared_ptr<TagFormat> Item() const override;
    void setItem(const std::shared_ptr<TagFormat>& item) override;
    qint32 Count() const override;
    qint32 AbsolutePosition() const override;
    std::shared_ptr<TagFormat> ItemByIndex(qint32 Index) const override;

private:
    const TagFormat* element(qint32 index) const;

    std::vector<std::shared_ptr<TagFormat>> m_Items;
    qint32 m_Position = 0; // 0-based
};
