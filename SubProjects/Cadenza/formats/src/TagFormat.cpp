#include "TagFormat.h"

namespace {

bool isNumberType(const QVariant& value)
{
    switch (value.typeId()) {
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

} // namespace

void TagFormat::setValue(const QVariant& value)
{
    m_Value = value;
    m_NumOccurrencies = 1;
    m_isNumber = isNumberType(value);
    m_number = m_isNumber ? value.toDouble() : 0;
    m_text = value.toString();
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
