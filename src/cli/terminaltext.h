// The messages of vernoli-batch as a terminal shows them. The program's own texts are
// Windows-1252 (the degree sign of a unit is the byte 0xB0), the names of files are the system's
// UTF-8; a message may hold both. What is UTF-8 passes as it is, every other byte is taken as
// Windows-1252 and written in UTF-8, so "45.0 \xB0C" shows as "45.0 °C".
#pragma once

#include <streambuf>
#include <string>
#include <string_view>

namespace vernoli {

// Turns text into UTF-8 piece by piece: a UTF-8 character split between two pieces is kept whole.
//
//   TerminalText text;
//   std::string shown = text.Feed(piece) + ... + text.Finish();
class TerminalText {
 public:
  // The UTF-8 of `bytes`, without the start of a character that the next piece may complete.
  std::string Feed(std::string_view bytes);
  // What is left: bytes that began a UTF-8 character the text did not complete.
  std::string Finish();

 private:
  void Add(unsigned char byte, std::string& out);
  void FlushPending(std::string& out);

  std::string pending_;  // the first bytes of a UTF-8 character
  std::size_t needed_ = 0;  // its length in bytes
};

// A stream buffer that writes to `target` through TerminalText (for standard error).
class TerminalTextBuffer : public std::streambuf {
 public:
  explicit TerminalTextBuffer(std::streambuf* target) : target_(target) {}
  ~TerminalTextBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool Put(std::string_view text);

  std::streambuf* target_;
  TerminalText text_;
};

}  // namespace vernoli
