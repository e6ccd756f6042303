// Standard output as a terminal or a pipe takes it: passed on, never held. (An
// std::ostringstream would hold every line a command writes, tens of megabytes for the large
// files, and the peak memory would be the stream's, not the command's.)
#pragma once

#include <cstdint>
#include <streambuf>

namespace vernoli::bench {

class DiscardingBuffer : public std::streambuf {
 public:
  // The bytes written to it.
  int64_t Bytes() const { return bytes_; }

 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override {
    bytes_ += count;
    return count;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++bytes_;
    return traits_type::not_eof(c);
  }

 private:
  int64_t bytes_ = 0;
};

}  // namespace vernoli::bench
