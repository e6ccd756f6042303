#include "kit/text.h"

#include "model/codepage.h"

namespace vernoli {


QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const char16_t u = UnicodeOfCp1252(b);
    text.append(QChar(u != 0 ? u : char16_t{b}));
  }
  return text;
}

std::string ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar qc : text) {
    const char16_t u = qc.unicode();
    const unsigned char b = Cp1252OfUnicode(u);
    bytes.push_back(b != 0 || u == 0 ? static_cast<char>(b) : '?');
  }
  return bytes;
}

}  // namespace vernoli
