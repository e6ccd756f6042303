#include "cli/terminaltext.h"

#include "model/codepage.h"

namespace vernoli {

namespace {

// A byte the code page leaves undefined shows as U+FFFD.
void AppendWindows1252(unsigned char byte, std::string& out) {
  const char16_t u = UnicodeOfCp1252(byte);
  AppendUtf8(u != 0 || byte == 0 ? u : 0xFFFD, out);
}

// The length of the UTF-8 character that `byte` starts; 0 when it starts none.
std::size_t LengthOfCharacter(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 2;
  if (byte >= 0xE0 && byte <= 0xEF) return 3;
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  return 0;
}

}  // namespace

void TerminalText::FlushPending(std::string& out) {
  for (char c : pending_) AppendWindows1252(static_cast<unsigned char>(c), out);
  pending_.clear();
  needed_ = 0;
}

void TerminalText::Add(unsigned char byte, std::string& out) {
  if (!pending_.empty()) {
    if (byte >= 0x80 && byte <= 0xBF) {
      pending_ += static_cast<char>(byte);
      if (pending_.size() == needed_) {
        out += pending_;
        pending_.clear();
        needed_ = 0;
      }
      return;
    }
    FlushPending(out);  // no UTF-8 after all
  }
  if (byte < 0x80) {
    out += static_cast<char>(byte);
  } else if (const std::size_t length = LengthOfCharacter(byte); length > 0) {
    pending_ = static_cast<char>(byte);
    needed_ = length;
  } else {
    AppendWindows1252(byte, out);
  }
}

std::string TerminalText::Feed(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) Add(static_cast<unsigned char>(c), out);
  return out;
}

std::string TerminalText::Finish() {
  std::string out;
  FlushPending(out);
  return out;
}

TerminalTextBuffer::~TerminalTextBuffer() {
  Put(text_.Finish());
  target_->pubsync();
}

bool TerminalTextBuffer::Put(std::string_view text) {
  return target_->sputn(text.data(), static_cast<std::streamsize>(text.size())) ==
         static_cast<std::streamsize>(text.size());
}

TerminalTextBuffer::int_type TerminalTextBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char byte = traits_type::to_char_type(c);
  return Put(text_.Feed(std::string_view(&byte, 1))) ? c : traits_type::eof();
}

std::streamsize TerminalTextBuffer::xsputn(const char* s, std::streamsize n) {
  return Put(text_.Feed(std::string_view(s, static_cast<std::size_t>(n)))) ? n : 0;
}

int TerminalTextBuffer::sync() { return target_->pubsync(); }

}  // namespace vernoli
