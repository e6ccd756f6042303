// Conversion between the program's single-byte Windows-1252 texts and Qt strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vernoli {

// Decodes Windows-1252 bytes (the degree sign is 0xB0).
QString FromCp1252(std::string_view bytes);
// Encodes to Windows-1252; a character with no single-byte form becomes '?'.
std::string ToCp1252(const QString& text);

}  // namespace vernoli
