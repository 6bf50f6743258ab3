#include "Platform/MessageBox.h"

#include <iostream>
#include <mutex>

namespace Platform {

namespace {

std::mutex g_mutex;
MessageBoxHandler g_handler;

MsgResult firstButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgResult::Yes;
    default:
        return MsgResult::Ok;
    }
}

MsgResult writeToStderr(const MessageBoxRequest& request)
{
    std::string text;
    for (char c : request.text) {
        if (c != '\r')
            text += c;
    }
    std::cerr << (request.caption.empty() ? std::string("Message") : request.caption) << ": " << text
              << std::endl;
    return firstButton(request.buttons);
}

} // namespace

MsgResult MsgBox(const MessageBoxRequest& request)
{
    MessageBoxHandler handler;
    {
        std::lock_guard lock(g_mutex);
        handler = g_handler;
    }
    return handler ? handler(request) : writeToStderr(request);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard lock(g_mutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

MessageBoxRecorder::MessageBoxRecorder(MsgResult answer)
{
    m_previous = setMessageBoxHandler([this, answer](const MessageBoxRequest& request) {
        m_boxes.push_back(request);
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxHandler(std::move(m_previous));
}

} // namespace Platform
