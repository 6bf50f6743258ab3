#include "Quaver/TagError.h"

#include "Quaver/QuaverInfo.h"

#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"

namespace Quaver {

void TagError::Clear()
{
    m_source.clear();
    m_description.clear();
    m_number = 0;
    m_mode = Information;
}

bool TagError::CopyError(const Platform::RuntimeError* oErr)
{
    if (!oErr)
        return false;
    Clear();
    m_description = oErr->Description();
    m_number = oErr->Number();
    m_source = oErr->Source();
    m_mode = Critical;
    return true;
}

void TagError::Show(const std::string& Title) const
{
    Platform::MessageBoxRequest request;
    switch (m_mode) {
    case Exclamation:
        request.icon = Platform::MsgIcon::Warning;
        break;
    case Critical:
        request.icon = Platform::MsgIcon::Critical;
        break;
    default:
        request.icon = Platform::MsgIcon::Information;
        break;
    }
    if (m_number != 0)
        request.text = std::to_string(m_number) + "\r\n";
    request.text += m_source + "\r\n" + m_description;
    request.caption =
        Title.empty() ? std::string(LibraryTitle) : std::string(LibraryDescription) + " : " + Title;
    request.buttons = Platform::MsgButtons::Ok;
    Platform::MsgBox(request);
}

std::string TagError::Stream() const
{
    return std::to_string(m_number) + ", " + m_source + ", " + m_description;
}

} // namespace Quaver
