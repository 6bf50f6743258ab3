#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Platform {

// The single-byte "ANSI" code page of trailer text, Windows-1252, against the
// UTF-8 used inside the programs. Every one of the 256 byte values has a
// character (the five codes Windows-1252 leaves undefined stand for U+0081,
// U+008D, U+008F, U+0090 and U+009D), so bytes survive a read-then-write
// unchanged.

// The character of one byte.
char32_t AnsiToChar(unsigned char byte);

// The byte of one character, or nothing when the code page has none for it.
std::optional<unsigned char> CharToAnsi(char32_t ch);

// The byte written for a character: its code, or '?' when it has none.
unsigned char CharToAnsiOrQuestion(char32_t ch);

// Ansi bytes as UTF-8 text.
std::string AnsiToUtf8(std::string_view bytes);

// UTF-8 text as Ansi bytes; characters without a code, and bytes that are not
// valid UTF-8, become '?'.
std::string Utf8ToAnsi(std::string_view utf8);

// Splits UTF-8 text into characters; every byte of an invalid sequence becomes
// U+FFFD, so the count of characters is always defined.
std::u32string DecodeUtf8(std::string_view utf8);

// Appends one character to a UTF-8 string.
void AppendUtf8(std::string& out, char32_t ch);

} // namespace Platform
