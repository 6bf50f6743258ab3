#include "BatchPreview.h"

#include "BatchProcessor.h"

#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"

BatchPreview PreviewFile(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName)
{
    BatchPreview preview;
    bool parseError = false; // the preview shows what the name gives either way
    preview.NewTag = BatchProcessor::DeriveTag(format, defaultTag, fileName, parseError);

    Quaver::FileHandler handler;
    handler.setFileName(fileName);
    try {
        if (handler.HasTag() && handler.ReadTag() != Quaver::ID3Unknown)
            preview.OldTag = handler.ID3v1xTag();
    } catch (const Platform::RuntimeError&) {
        // A file that cannot be read shows no present tag; the click must not
        // take the panel down.
    }
    preview.Others = OtherTags::Read(fileName);
    return preview;
}
