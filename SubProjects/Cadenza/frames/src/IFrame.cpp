#include "IFrame.h"

#include "Platform/RuntimeError.h"

namespace {

[[noreturn]] void notProvided(const char* member)
{
    throw Platform::RuntimeError::notImplemented(std::string("IFrame.") + member);
}

} // namespace

QString IFrame::AppDescription()
{
    notProvided("AppDescription");
}
QString IFrame::AppTitle()
{
    notProvided("AppTitle");
}
bool IFrame::ShowInMenu()
{
    notProvided("ShowInMenu");
}
QMenu* IFrame::AppMenu()
{
    notProvided("AppMenu");
}
QString IFrame::AppIconText()
{
    notProvided("AppIconText");
}
QString IFrame::BaseNodeKey()
{
    notProvided("BaseNodeKey");
}
void IFrame::setBaseNodeKey(const QString&)
{
    notProvided("BaseNodeKey");
}
QString IFrame::BaseNodeText()
{
    notProvided("BaseNodeText");
}
void IFrame::setBaseNodeText(const QString&)
{
    notProvided("BaseNodeText");
}

QString IFrame::NodeToolTip()
{
    try {
        return AppDescription();
    } catch (...) {
        return AppNodeText();
    }
}
