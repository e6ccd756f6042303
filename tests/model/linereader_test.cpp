#include "model/linereader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/numbers.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// ---------------------------------------------------------------------------------------------
// Messages and paths

TEST(FileMessages, NameTheFileAndTheLine) {
  EXPECT_EQ(ReasonCannotOpen("d/A.DSC"), "cannot open file d/A.DSC");
  EXPECT_EQ(ReasonCannotRead("d/A.DSC", 4), "cannot read file d/A.DSC, line 4");
  EXPECT_EQ(ReasonUnexpectedEnd("d/A.DSC", 13), "file d/A.DSC ends before line 13");
  EXPECT_EQ(ReasonNotANumber("d/A.DTA", 7), "cannot read a number in file d/A.DTA, line 7");
  EXPECT_EQ(ReasonTooFewValues("d/A.DTA", 9), "too few values in file d/A.DTA, line 9");
  EXPECT_EQ(ReasonInvalidDate("d/A.DSC", 8), "invalid date in file d/A.DSC, line 8");
  EXPECT_EQ(ReasonCannotWrite("d/A.DSC"), "cannot write file d/A.DSC");
  EXPECT_EQ(Status::Error(ReasonCannotWrite("A")).Message, "ERROR:\ncannot write file A");
}

// 3,735 of 5,000 stations said "cannot open file" and no more: the open files had run out.
TEST(FileMessages, GiveTheSystemsReasonAfterTheFile) {
  const struct {
    std::string reason;
    const char* expected;
  } rows[] = {
      {ReasonCannotOpen("d/A.DSC", EMFILE), "cannot open file d/A.DSC: Too many open files"},
      {ReasonCannotOpen("d/A.DSC", EACCES), "cannot open file d/A.DSC: Permission denied"},
      {ReasonCannotRead("d/A.DTA", 4, EIO), "cannot read file d/A.DTA, line 4: Input/output error"},
      {ReasonCannotWrite("d/A.DTA", ENOSPC), "cannot write file d/A.DTA: No space left on device"},
      {ReasonCannotWrite("d/A.DTA", EROFS), "cannot write file d/A.DTA: Read-only file system"},
      {ReasonCannotWrite("d/A.DTA", 0), "cannot write file d/A.DTA"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.reason, row.expected);
}

TEST(PathInFolder, PutsOneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(PathInFolder("data/", "A.DSC"), "data/A.DSC");
  EXPECT_EQ(PathInFolder("data", "A.DSC"), "data/A.DSC");
  EXPECT_EQ(PathInFolder("", "A.DSC"), "A.DSC");
}

// ---------------------------------------------------------------------------------------------
// LineReader

std::vector<std::string> ReadAllLines(const std::string& path, Status* status = nullptr) {
  LineReader reader;
  std::vector<std::string> lines;
  Status opened = reader.Open(path);
  if (opened) {
    std::string line;
    while (reader.Next(line)) {
      lines.push_back(line);
      EXPECT_EQ(reader.LineNumber(), static_cast<int>(lines.size()));
    }
  }
  if (status != nullptr) *status = opened ? reader.status() : opened;
  return lines;
}

TEST(LineReader, ReadsEveryKindOfLineEnd) {
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"mixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"a CR alone at the end", "a\r\nb\r", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
      {"one empty line", "\r\n", {""}},
      {"empty file", "", {}},
      {"CR inside a line kept", "a\rb\r\n", {"a\rb"}},
      {"Windows-1252 bytes kept", "12\xB0" "C\r\n", {"12\xB0" "C"}},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string path = folder.File("lines.txt");
    WriteBytes(path, row.bytes);
    Status status;
    EXPECT_EQ(ReadAllLines(path, &status), row.lines);
    EXPECT_TRUE(status.Ok);
  }
}

TEST(LineReader, ReadsLinesAcrossItsBufferBoundaries) {
  ScratchFolder folder;
  std::string path = folder.File("big.txt");
  std::string bytes;
  const int count = 30000;  // some 420 kB, several buffer fills
  for (int i = 1; i <= count; ++i) bytes += FormatInt(i, 10) + "    -999.0\r\n";
  std::string longLine(kMaxLineLength, 'x');  // the longest line read, as long as a buffer fill
  bytes += longLine;
  WriteBytes(path, bytes);

  std::vector<std::string> lines = ReadAllLines(path);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count + 1));
  for (int i = 1; i <= count; ++i) {
    ASSERT_EQ(lines[static_cast<std::size_t>(i - 1)], FormatInt(i, 10) + "    -999.0");
  }
  EXPECT_EQ(lines.back(), longLine);
}

TEST(LineReader, SkipLinesHandsOverTheBytesAndCountsTheLines) {
  ScratchFolder folder;
  const std::string path = folder.File("skip.txt");
  std::string bytes = "first\r\nsecond\n";
  for (int i = 3; i <= 20000; ++i) bytes += FormatInt(i, 10) + "\r\n";  // beyond the buffer
  bytes += "last without end";
  WriteBytes(path, bytes);

  LineReader reader;
  ASSERT_TRUE(reader.Open(path).Ok);
  std::string copied;
  const auto copy = [&copied](std::string_view part) { copied += part; };
  EXPECT_EQ(reader.SkipLines(2, copy), 2);
  EXPECT_EQ(copied, "first\r\nsecond\n");
  EXPECT_EQ(reader.SkipLines(9000), 9000);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, FormatInt(9003, 10));
  EXPECT_EQ(reader.LineNumber(), 9003);
  copied.clear();
  EXPECT_EQ(reader.SkipLines(1000000, copy), 20001 - 9003);
  EXPECT_EQ(copied, bytes.substr(bytes.find(FormatInt(9004, 10) + "\r\n")));
  EXPECT_EQ(reader.LineNumber(), 20001);
  EXPECT_FALSE(reader.Next(line));
  EXPECT_TRUE(reader.status().Ok);
}

// ---------------------------------------------------------------------------------------------
// Lines too long to be text

TEST(LineReader, RefusesALineLongerThan64KiBNamingTheFileAndTheLine) {
  ScratchFolder folder;
  const std::string path = folder.File("long.CXT");
  const std::string longest(kMaxLineLength, '7');
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;  // read before the refusal
    int64_t refusedLine;             // 0: no refusal
  };
  const Row rows[] = {
      {"the longest line with CR LF", "1\r\n" + longest + "\r\n2\r\n", {"1", longest, "2"}, 0},
      {"the longest line, no line end", "1\r\n" + longest, {"1", longest}, 0},
      {"one character more", "1\r\n" + longest + "7\r\n2\r\n", {"1"}, 2},
      {"one more, no line end", "1\n2\n" + longest + "7", {"1", "2"}, 3},
      {"a CR alone does not end a line", longest + "\r7\n", {}, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WriteBytes(path, row.bytes);
    Status status;
    EXPECT_EQ(ReadAllLines(path, &status), row.lines);
    if (row.refusedLine == 0) {
      EXPECT_TRUE(status.Ok) << status.Message;
    } else {
      EXPECT_EQ(status.Message, "ERROR:\nline " + std::to_string(row.refusedLine) + " of file " +
                                    path +
                                    " is longer than 65536 characters, the longest line of "
                                    "text that is read");
    }
  }
}

TEST(LineReader, AFileWithoutLineEndsIsRefusedWithoutHoldingIt) {
  // A 3 MB file of digits and blanks without a line feed: refused at line 1, having held no
  // more than the longest line and one read of the file (a whole file held once took twice
  // its size).
  ScratchFolder folder;
  const std::string path = folder.File("NOLF.CXT");
  std::string bytes;
  while (bytes.size() < 3'000'000) bytes += "12.5 ";
  WriteBytes(path, bytes);
  LineReader reader;
  ASSERT_TRUE(reader.Open(path).Ok);
  std::string line;
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(reader.status().Message, "ERROR:\n" + ReasonLineTooLong(path, 1));
  EXPECT_LE(reader.BufferCapacity(), kMaxLineLength + 1 + 64 * 1024);
  EXPECT_FALSE(reader.Next(line));

  // Passing over lines holds no more either.
  LineReader skipping;
  ASSERT_TRUE(skipping.Open(path).Ok);
  std::size_t copied = 0;
  EXPECT_EQ(skipping.SkipLines(5, [&copied](std::string_view part) { copied += part.size(); }), 0);
  EXPECT_EQ(skipping.status().Message, "ERROR:\n" + ReasonLineTooLong(path, 1));
  EXPECT_EQ(copied, 0u);
  EXPECT_LE(skipping.BufferCapacity(), kMaxLineLength + 1 + 64 * 1024);
}

TEST(LineReader, CountsLinesBeyondTheRangeOfA32BitInteger) {
  // A file of more than 2^31 lines is too large to write in a test; the counters' types are
  // what keeps the count right.
  static_assert(std::is_same_v<decltype(std::declval<LineReader>().LineNumber()), int64_t>);
  EXPECT_EQ(ReasonCannotRead("A.CXT", int64_t{1} << 32), "cannot read file A.CXT, line 4294967296");
}

TEST(LineReader, MissingFileOrFolderIsAnErrorNamingIt) {
  ScratchFolder folder;
  LineReader reader;
  std::string missing = folder.File("none.DSC");
  Status status = reader.Open(missing);
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file " + missing + ": No such file or directory");
  std::string line;
  EXPECT_FALSE(reader.Next(line));

  std::filesystem::create_directory(folder.File("sub"));
  status = reader.Open(folder.File("sub"));
  EXPECT_EQ(status.Message, "ERROR:\n" + folder.File("sub") +
                                " is not a regular file (a folder); a regular file, or a link to "
                                "one, is read");
  EXPECT_FALSE(reader.Next(line));
}

// ---------------------------------------------------------------------------------------------
// What a shared folder may hold under a file's name

// A name that holds no regular file is refused at once, naming it, whatever it holds; nothing
// is read from it. The test keeps the pipe's writing end open, so that a reader that opened it
// would not wait at the open but find nothing to refuse.
TEST(OpenFileForReading, RefusesPipesSocketsDevicesAndFoldersNamingThem) {
  ScratchFolder folder;
  const std::string pipe = folder.File("PIPE.DTA");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const int writer = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(::write(writer, "1 2\n", 4), 4);

  const std::string socket = folder.File("SOCKET.DTA");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socket.size(), sizeof address.sun_path);
  socket.copy(address.sun_path, socket.size());
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  const std::string zero = folder.File("ZERO.DTA");
  std::filesystem::create_symlink("/dev/zero", zero);
  std::filesystem::create_directory(folder.File("SUB.DTA"));

  const struct {
    std::string Path;
    const char* Kind;
  } cases[] = {{pipe, "a named pipe"},
               {socket, "a socket"},
               {zero, "a device"},
               {folder.File("SUB.DTA"), "a folder"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    const std::string refusal = c.Path + " is not a regular file (" + c.Kind +
                                "); a regular file, or a link to one, is read";
    EXPECT_EQ(ReasonNotARegularFile(c.Path, c.Kind), refusal);
    LineReader reader;
    const Status status = reader.Open(c.Path);
    ASSERT_FALSE(status.Ok);
    EXPECT_EQ(status.Message, "ERROR:\n" + refusal);
    std::string line;
    EXPECT_FALSE(reader.Next(line));
    int fd = -1;
    EXPECT_EQ(OpenFileForReading(c.Path, fd).Message, "ERROR:\n" + refusal);
    EXPECT_EQ(fd, -1);
    std::FILE* file = nullptr;
    EXPECT_EQ(OpenFileForReading(c.Path, file).Message, "ERROR:\n" + refusal);
    EXPECT_EQ(file, nullptr);
  }
  // The pipe still holds what was written to it: nothing read it.
  char buffer[8] = {};
  EXPECT_EQ(::read(writer, buffer, sizeof buffer), 4);
  ::close(writer);
  ::close(listener);
}

// A link to a regular file is read as the file; what is read waits for its bytes as usual.
TEST(OpenFileForReading, ReadsALinkToARegularFileAsTheFile) {
  ScratchFolder folder;
  WriteBytes(folder.File("real.DTA"), "header\r\n1\r\n");
  std::filesystem::create_symlink(folder.File("real.DTA"), folder.File("LINKED.DTA"));
  Status status;
  EXPECT_EQ(ReadAllLines(folder.File("LINKED.DTA"), &status),
            (std::vector<std::string>{"header", "1"}));
  EXPECT_TRUE(status.Ok);

  int fd = -1;
  ASSERT_TRUE(OpenFileForReading(folder.File("LINKED.DTA"), fd).Ok);
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  ::close(fd);

  // A link that leads nowhere is a file that cannot be opened.
  std::filesystem::create_symlink(folder.File("none.DTA"), folder.File("BROKEN.DTA"));
  EXPECT_EQ(OpenFileForReading(folder.File("BROKEN.DTA"), fd).Message,
            "ERROR:\ncannot open file " + folder.File("BROKEN.DTA") +
                ": No such file or directory");
}

}  // namespace
}  // namespace vernoli
