#pragma once

#include <string>

// Makes a real MP3 file with sox and lame: a sine tone of the given length.
// Returns the path, or "" when the tools are missing (tests then skip).
std::string makeMp3(const std::string& folder, const std::string& name, double seconds, int bitrateKbps = 128,
                    bool mono = false);
