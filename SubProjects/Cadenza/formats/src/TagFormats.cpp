#include "TagFormats.h"

#include <cmath>

namespace {

// Puts the cursor back where it was when the guard was made.
class CursorGuard
{
public:
    explicit CursorGuard(qint32& position) : m_position(position), m_saved(position) {}
    ~CursorGuard() { m_position = m_saved; }
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

private:
    qint32& m_position;
    qint32 m_saved;
};

// The 1-based position of the first occurrence of what in text at or after
// position from, or 0 when there is none. Exact, case-sensitive comparison.
qsizetype search(QStringView text, const QString& what, qsizetype from)
{
    if (from < 1 || from > text.size() + 1)
        return 0;
    return text.indexOf(what, from - 1, Qt::CaseSensitive) + 1;
}

bool holdsAttribute(const TagFormat* element, qint32 tagAttribute)
{
    return element && element->ValueIsNumber() && element->ValueNumber() == tagAttribute;
}

// The text of an element placed next to a field: a missing element (the cursor
// interface allows null) is taken as an empty separator.
const QString& separatorText(const TagFormat* element)
{
    static const QString none;
    return element ? element->ValueText() : none;
}

} // namespace

void TagFormats::Add(const std::shared_ptr<TagFormat>& TagFmt)
{
    if (!TagFmt)
        return;
    auto copy = std::make_shared<TagFormat>();
    copy->setFormatType(TagFmt->FormatType());
    copy->setValue(TagFmt->Value());
    copy->setNumOccurrencies(TagFmt->NumOccurrencies());
    m_Items.push_back(std::move(copy));
}

QString TagFormats::Serialize()
{
    QString text;
    // Every element is walked by position, which leaves the cursor alone, and
    // an element replaced by null through setItem adds nothing instead of
    // ending the walk early.
    for (qint32 i = 1; i <= Count(); ++i) {
        const auto element = ItemByIndex(i);
        if (!element)
            continue;
        if (element->FormatType() == FormatTypePlaceholder) {
            bool ok = false;
            const double number = element->Value().toDouble(&ok);
            const bool whole = ok && number == std::trunc(number) && std::abs(number) < 1e9;
            text += PlaceholderText(whole ? static_cast<qint32>(number) : 0);
        } else {
            text += element->ValueText();
        }
    }
    return text;
}

QString TagFormats::TagAttributeString(qint32 TagAttribute, const QString& TagString, bool& IsMissing)
{
    return TagAttributeView(TagAttribute, TagString, IsMissing).toString();
}

QStringView TagFormats::TagAttributeView(qint32 TagAttribute, QStringView TagString, bool& IsMissing)
{
    CursorGuard keep(m_Position);

    qint32 found = 0;
    for (qint32 i = 1; i <= Count() && found == 0; ++i) {
        if (holdsAttribute(element(i), TagAttribute))
            found = i;
    }
    if (found == 0) {
        IsMissing = true;
        return {};
    }
    m_Position = found - 1;

    qsizetype start = 1;
    if (HasPrev()) {
        const TagFormat* before = element(AbsolutePosition() - 1);
        const QString& s = separatorText(before);
        // A pattern always counts occurrences from 1; a smaller number is taken as 1.
        const qint32 occurrences = before ? std::max<qint32>(before->NumOccurrencies(), 1) : 1;
        qsizetype from = 1;
        qsizetype pos = 0;
        for (qint32 n = 0; n < occurrences; ++n) {
            pos = search(TagString, s, from);
            if (pos == 0)
                return {};
            from = pos + s.size();
        }
        start = pos + s.size();
    }

    qsizetype end = TagString.size();
    if (HasNext()) {
        const QString& t = separatorText(element(AbsolutePosition() + 1));
        end = search(TagString, t, start) - 1;
    }

    IsMissing = false;
    if (end >= start)
        return TagString.mid(start - 1, end - start + 1);
    return {};
}

void TagFormats::FirstElem()
{
    m_Position = 0;
}

void TagFormats::NextElem()
{
    if (AbsolutePosition() < Count())
        ++m_Position;
}

void TagFormats::PrevElem()
{
    if (m_Position > 0)
        --m_Position;
}

bool TagFormats::HasNext() const
{
    return AbsolutePosition() < Count() && Item() != nullptr;
}

bool TagFormats::HasPrev() const
{
    return m_Position > 0;
}

std::shared_ptr<TagFormat> TagFormats::Item() const
{
    if (m_Items.empty())
        return nullptr;
    return m_Items[static_cast<std::size_t>(m_Position)];
}

void TagFormats::setItem(const std::shared_ptr<TagFormat>& item)
{
    // On an empty pattern there is no element at the cursor to replace.
    if (!m_Items.empty())
        m_Items[static_cast<std::size_t>(m_Position)] = item;
}

// ItemByIndex without the reference count traffic, for the parse loops.
const TagFormat* TagFormats::element(qint32 index) const
{
    return m_Items[static_cast<std::size_t>(index - 1)].get();
}

qint32 TagFormats::Count() const
{
    return static_cast<qint32>(m_Items.size());
}

qint32 TagFormats::AbsolutePosition() const
{
    return m_Position + 1;
}

std::shared_ptr<TagFormat> TagFormats::ItemByIndex(qint32 Index) const
{
    if (Index < 1 || Index > Count())
        return nullptr;
    return m_Items[static_cast<std::size_t>(Index - 1)];
}
