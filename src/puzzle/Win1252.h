#pragma once
// Windows-1252, the code page every puzzle string is stored in.

#include <optional>
#include <string>
#include <string_view>

namespace qw {

// Upper-casing of the code page: a-z, the accented letters 0xE0-0xFE except the division sign,
// and the four letters whose capitals sit in the 0x80 block.
char UpperAnsi(char ch);
std::string UpperAnsi(std::string_view text);

char32_t Win1252ToUnicode(char ch);
std::optional<char> UnicodeToWin1252(char32_t cp);

// UTF-8 <-> Windows-1252 for the edges (JSON, file names shown to the user, URLs).
void AppendUtf8(std::string& out, char32_t cp);
std::string Win1252ToUtf8(std::string_view text);
// The code point that starts at text[i], with i moved past it; nullopt (i moved past the first
// byte) where the bytes are not UTF-8.
std::optional<char32_t> NextUtf8(std::string_view text, size_t& i);
// Characters the code page cannot hold become '?'.
std::string Utf8ToWin1252(std::string_view text);

}  // namespace qw
