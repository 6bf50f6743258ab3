#include "TagFormat.h"

void TagFormat::setValue(const QVariant& value)
{
    m_Value = value;
    m_NumOccurrencies = 1;
}

bool TagFormat::ValueIsNumber() const
{
    switch (m_Value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QString TagFormat::ValueText() const
{
    return m_Value.toString();
}

QString PlaceholderText(qint32 tagAttribute)
{
    switch (tagAttribute) {
    case TagAttributeAlbum:
        return QStringLiteral("#AL#");
    case TagAttributeArtist:
        return QStringLiteral("#AR#");
    case TagAttributeYear:
        return QStringLiteral("#YR#");
    case TagAttributeTrack:
        return QStringLiteral("#TR#");
    case TagAttributeTitle:
        return QStringLiteral("#TI#");
    default:
        return QStringLiteral("<Unknown>");
    }
}
