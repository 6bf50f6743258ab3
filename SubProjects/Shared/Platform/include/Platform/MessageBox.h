#pragma once

#include <functional>
#include <string>
#include <vector>

// Marks a text that a message box may show, for the programs' translation
// catalogues (lupdate reads it as QT_TRANSLATE_NOOP; the context names the
// library). The text itself is unchanged: a program with a catalogue translates
// each line of a box when it shows it. Libraries without Qt use this mark.
#define LEGATO_TRANSLATE_NOOP(context, text) text

namespace Platform {

enum class MsgIcon
{
    None,
    Information,
    Warning,
    Critical,
    Question
};
enum class MsgButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};
enum class MsgResult
{
    Ok,
    Cancel,
    Yes,
    No
};

// One modal message box as a library or panel asks for it. Text may hold
// "\r\n" line breaks; the handler shows them as line breaks.
struct MessageBoxRequest
{
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

using MessageBoxHandler = std::function<MsgResult(const MessageBoxRequest&)>;

// Shows a message box through the installed handler. Libraries without a GUI
// call this; the program installs a Qt implementation at start-up. With no
// handler installed the box is written to stderr and the first button is the
// answer.
MsgResult MsgBox(const MessageBoxRequest& request);

// Installs a handler (an empty one restores the default) and returns the
// previous one, so a caller can put it back.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// Records every box instead of showing it, answering with a fixed result;
// restores the previous handler when destroyed. For tests.
class MessageBoxRecorder
{
public:
    explicit MessageBoxRecorder(MsgResult answer = MsgResult::Ok);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<MessageBoxRequest>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); }

private:
    std::vector<MessageBoxRequest> m_boxes;
    MessageBoxHandler m_previous;
};

} // namespace Platform
