#pragma once

#include "Platform/MessageBox.h"

#include <QString>
#include <memory>

class QMessageBox;

// The program's implementation of Platform::MsgBox: a modal QMessageBox with
// the requested icon, buttons and caption.
namespace QtMessageBox {

// The box text as Qt shows it: "\r\n" (and a lone "\r") become line breaks.
QString boxText(const std::string& text);

// Builds the box for a request without showing it. An empty caption becomes
// the application's display name.
std::unique_ptr<QMessageBox> create(const Platform::MessageBoxRequest& request);

// Shows the box modally and maps the pressed button back.
Platform::MsgResult show(const Platform::MessageBoxRequest& request);

// Routes every Platform::MsgBox of the process to show().
void install();

} // namespace QtMessageBox
