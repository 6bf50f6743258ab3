// The player's message path on any bytes: the first byte picks the window the
// bytes arrive at, the rest is read as message records the way the player's
// window hosts read them, and each whole record is answered by a fresh
// player's remote control.
#include "Jukebox/PlayerProtocol.h"
#include "PlayerEngine.h"
#include "PlayerUi.h"
#include "RemoteControl.h"

#include "Platform/WindowRecord.h"

#include <QCoreApplication>
#include <string_view>

using namespace Jukebox::Protocol;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv); // the engine's timer needs one
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char* const classes[] = {kMainWindowClass, kEqualizerWindowClass, kPlaylistWindowClass};
    const QString windowClass = QString::fromLatin1(classes[data[0] % 3]);
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    PlayerEngine engine(false, [] { return std::int64_t{0}; });
    NoPlayerUi ui;
    RemoteControl remote(engine, ui);
    Platform::WindowRecord record;
    while (Platform::ParseWindowRecord(bytes, RemoteControl::kMaxFileNameBytes, record) ==
           Platform::WindowRecordParse::Complete) {
        const Platform::WindowRecordHeader& h = record.header;
        remote.handle(windowClass, h.message, h.wParam, h.lParam,
                      QByteArray(record.payload.data(), static_cast<qsizetype>(record.payload.size())));
        bytes.remove_prefix(record.size);
    }
    return 0;
}
