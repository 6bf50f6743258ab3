#pragma once

#include <optional>
#include <string>
#include <vector>

class QMimeData;

// The local files carried by dropped data, as the bytes the file system holds
// (names need not be UTF-8). Nothing when the data carries no file list at all,
// for example dropped text; an empty list when it carries a list without local
// files. File lists arrive as text/uri-list from every Linux file manager.
std::optional<std::vector<std::string>> DroppedFiles(const QMimeData& data);

// Whether a path names an MP3 file: the text after the last "." of its file
// name is "MP3" in any letter case.
bool IsMp3Name(const std::string& path);

// The MP3 files among offered that the list does not hold yet, in their order
// and each once; folders are never files to tag, whatever their names.
std::vector<std::string> FilesToAdd(const std::vector<std::string>& listed,
                                    const std::vector<std::string>& offered);

// Every MP3 file below folder, walked as a batch run walks it (folders whose
// names begin with "." are not entered, none twice).
std::vector<std::string> Mp3FilesBelow(const std::string& folder);
