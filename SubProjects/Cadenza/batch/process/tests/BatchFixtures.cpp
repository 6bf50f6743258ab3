#include "BatchFixtures.h"

#include "modTagFormat.h"

namespace BatchFixtures {

BatchSettings Settings(int format, bool testMode, bool overwrite, Quaver::TagPtr defaults)
{
    BatchSettings settings;
    settings.Format = modTagFormat::DefaultFormats()->ItemAt(format + 1);
    settings.DefaultTag = std::move(defaults);
    settings.TestMode = testMode;
    settings.Overwrite = overwrite;
    return settings;
}

} // namespace BatchFixtures
