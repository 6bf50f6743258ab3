#pragma once

#include <QString>
#include <QVariant>

// Placeholder numbers: which tag field a placeholder stands for.
enum TagAttributeConstants : qint32
{
    TagAttributeAlbum = 1,
    TagAttributeArtist = 2,
    TagAttributeYear = 3,
    TagAttributeTrack = 4,
    TagAttributeTitle = 5,
};

// Kinds of pattern element.
enum TagFormatTypeConstants : qint32
{
    FormatTypePlaceholder = 1,
    FormatTypeSeparator = 2,
};

// One element of a file-name pattern: a placeholder (FormatType 1, Value the
// attribute number) or a literal separator (FormatType 2, Value its text, and
// which occurrence of that text in the name it is).
class TagFormat
{
public:
    qint32 FormatType() const { return m_FormatType; }
    void setFormatType(qint32 formatType) { m_FormatType = formatType; }

    // A number for placeholders, a text for separators; empty at first.
    const QVariant& Value() const { return m_Value; }
    // Also resets NumOccurrencies to 1, so set it after the value.
    void setValue(const QVariant& value);

    qint32 NumOccurrencies() const { return m_NumOccurrencies; }
    void setNumOccurrencies(qint32 count) { m_NumOccurrencies = count; }

    // Whether Value holds a number (and so can name a tag field).
    bool ValueIsNumber() const { return m_isNumber; }
    // Value as a number; meaningful when ValueIsNumber.
    double ValueNumber() const { return m_number; }
    // Value as text: the separator's literal, or the number's decimal form.
    const QString& ValueText() const { return m_text; }

private:
    qint32 m_FormatType = 0;
    QVariant m_Value;
    qint32 m_NumOccurrencies = 0;
    // Derived from m_Value when it is set: parsing compares elements for every
    // file name, and converting the variant each time would dominate.
    bool m_isNumber = false;
    double m_number = 0;
    QString m_text;
};

// The placeholder text of an attribute number ("#AR#" for 2), "<Unknown>" for
// a number that names no field.
QString PlaceholderText(qint32 tagAttribute);
