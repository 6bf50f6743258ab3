#include "Mp3Fixture.h"

#include <cstdlib>
#include <sstream>

std::string makeMp3(const std::string& folder, const std::string& name, double seconds, int bitrateKbps,
                    bool mono)
{
    const std::string wav = folder + "/" + name + ".wav";
    const std::string mp3 = folder + "/" + name;
    std::ostringstream cmd;
    cmd << "sox -q -n -r 44100 -c " << (mono ? 1 : 2) << " '" << wav << "' synth " << seconds
        << " sine 440 && lame --quiet --cbr -b " << bitrateKbps << " '" << wav << "' '" << mp3 << "'";
    if (std::system(cmd.str().c_str()) != 0)
        return {};
    return mp3;
}
