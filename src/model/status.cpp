#include "model/status.h"

namespace vernoli {

std::string ErrorText(std::string_view reason) {
  std::string text = "ERROR:\n";
  text += reason;
  return text;
}

namespace {

bool IsControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// U+0080-U+009F in UTF-8: 0xC2 followed by 0x80-0x9F.
bool IsC1At(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xC2 &&
         static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
         static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

void AppendHexEscape(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace

bool HasControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsControlByte(static_cast<unsigned char>(text[i])) || IsC1At(text, i)) return true;
  }
  return false;
}

std::string QuotedName(std::string_view name) {
  std::string out = "\"";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (IsC1At(name, i)) {
      AppendHexEscape(out, byte);
      AppendHexEscape(out, static_cast<unsigned char>(name[++i]));
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (IsControlByte(byte)) {
      AppendHexEscape(out, byte);
    } else {
      if (byte == '"' || byte == '\\') out += '\\';
      out += name[i];
    }
  }
  out += '"';
  return out;
}

}  // namespace vernoli
