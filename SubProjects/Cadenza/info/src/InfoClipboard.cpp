#include "InfoClipboard.h"

QString InfoClipboardText(const QStringList& headers, const QList<QStringList>& rows)
{
    const QString tab = QStringLiteral("\t");
    const QString lineBreak = QStringLiteral("\r\n");
    QString text;
    for (const QString& header : headers)
        text += header + tab;
    text += lineBreak;
    for (const QStringList& row : rows) {
        for (int column = 0; column < headers.size(); ++column)
            text += row.value(column) + tab;
        text += lineBreak;
    }
    return text;
}
