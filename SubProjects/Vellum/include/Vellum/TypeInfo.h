#pragma once

#include <QList>
#include <QString>

namespace VellumCtl {

// What a host's property browser lists for a member or event of the control.
struct MemberInfo
{
    QString name;
    QString kind;   // "property", "method" or "event"
    QString help;   // empty when the member has no help text
    int dispId = 0; // a standard dispatch identifier, or 0
};

// The identity under which hosts create and list the control.
inline constexpr const char* VellumProgId = "VellumCtl.Vellum";
inline constexpr const char* VellumDisplayName = "Vellum Pane";
inline constexpr const char* VellumLibraryName = "VellumCtl";
// The dispatch identifier hosts look for to offer a control's about entry.
inline constexpr int AboutBoxDispId = -552;

// Vellum's members in the order of its type information, with their help texts.
const QList<MemberInfo>& VellumMembers();
// Vellum's events, in order, with their help texts.
const QList<MemberInfo>& VellumEvents();

} // namespace VellumCtl
