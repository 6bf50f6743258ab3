#pragma once

#include <string>

namespace LegatoTest {

// Binds a Unix-domain socket at the path. listening: it listens but never
// accepts (a program that hangs); the descriptor is returned and the caller
// closes it. Not listening: it is closed at once and only the file stays
// behind (a program that crashed); returns -1. Fails the test on error.
int bindUnixSocket(const std::string& path, bool listening);

} // namespace LegatoTest
