// Windows-1252, the single-byte code page of the program's texts and station files (the degree
// sign is the byte 0xB0), and the Unicode it stands for.
#pragma once

#include <string>

namespace vernoli {

// The Unicode character of a Windows-1252 byte; 0 for the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char16_t UnicodeOfCp1252(unsigned char byte);
// The Windows-1252 byte of a Unicode character; 0 when the code page has none.
unsigned char Cp1252OfUnicode(char32_t character);
// Appends the UTF-8 of a Unicode character.
void AppendUtf8(char32_t character, std::string& out);

}  // namespace vernoli
