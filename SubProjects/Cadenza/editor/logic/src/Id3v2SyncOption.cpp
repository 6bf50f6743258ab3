#include "Id3v2SyncOption.h"

#include <QSettings>

namespace Id3v2SyncOption {

namespace {

using OtherTags::Id3v2Sync;

QString key(const QString& panel)
{
    return panel + QStringLiteral("/AlsoId3v2");
}

} // namespace

Id3v2Sync FromChecks(bool also, bool create)
{
    if (!also)
        return Id3v2Sync::Off;
    return create ? Id3v2Sync::Create : Id3v2Sync::Update;
}

bool AlsoChecked(Id3v2Sync sync)
{
    return sync != Id3v2Sync::Off;
}

bool CreateChecked(Id3v2Sync sync)
{
    return sync == Id3v2Sync::Create;
}

Id3v2Sync Stored(const QString& panel)
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    const QString value = settings.value(key(panel)).toString();
    if (value == QLatin1String("update"))
        return Id3v2Sync::Update;
    if (value == QLatin1String("create"))
        return Id3v2Sync::Create;
    return Id3v2Sync::Off;
}

void Store(const QString& panel, Id3v2Sync sync)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    settings.setValue(key(panel), sync == Id3v2Sync::Off      ? QStringLiteral("off")
                                  : sync == Id3v2Sync::Update ? QStringLiteral("update")
                                                              : QStringLiteral("create"));
}

} // namespace Id3v2SyncOption
