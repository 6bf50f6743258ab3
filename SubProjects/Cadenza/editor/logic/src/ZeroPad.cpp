#include "ZeroPad.h"

QString ZeroPad(const QString& s, int n)
{
    if (s.size() >= n)
        return s;
    return QString(n - s.size(), QLatin1Char('0')) + s;
}
