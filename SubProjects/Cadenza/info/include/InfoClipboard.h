#pragma once

#include <QString>
#include <QStringList>
#include <QList>

// The information list as clipboard text: the column captions, then every row,
// each field followed by a tab and each line ended by CR LF (so every line ends
// in a tab before its line break).
QString InfoClipboardText(const QStringList& headers, const QList<QStringList>& rows);
