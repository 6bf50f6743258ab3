#include "FrameMember.h"

#include "IFrame.h"

IFrame* FrameMember::object() const
{
    return dynamic_cast<IFrame*>(m_frame.data());
}
