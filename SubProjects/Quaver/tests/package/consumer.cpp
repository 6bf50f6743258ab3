// Writes and reads a tag through the installed library; exit status 0 on success.
#include <Quaver/FileHandler.h>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::ofstream(argv[1], std::ios::binary) << std::string(500, 'x');
    Quaver::FileHandler handler;
    handler.setFileName(argv[1]);
    handler.ID3v1xTag()->setTagType(Quaver::ID3V11);
    handler.ID3v1xTag()->setTitle("Packaged");
    handler.ID3v1xTag()->setTrack(5);
    if (!handler.WriteTag())
        return 1;
    Quaver::FileHandler reader;
    reader.setFileName(argv[1]);
    const bool ok = reader.ReadTag() == Quaver::ID3V11 && reader.ID3v1xTag()->Title() == "Packaged" &&
                    reader.ID3v1xTag()->GenreList()->Count() == 149;
    std::puts(ok ? "ok" : "mismatch");
    return ok ? 0 : 1;
}
