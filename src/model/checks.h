// The two checks shared by every form that creates a file or accepts a number: the check of a
// new file's name, and the range check of a numeric entry field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vernoli {

// The reasons of the messages; each message is "ERROR:" + line break + reason.
inline constexpr const char* kFileNameNotSpecified = "FileName is not yet specified";
inline constexpr const char* kFileNameExists = "Filename exists already";
inline constexpr const char* kIllegalFileName = "illegal filename";
inline constexpr const char* kBelowMinimum = "value is smaller than Minimum (=";
inline constexpr const char* kAboveMaximum = "value is larger than Maximum (=";

// True when the file can be opened for reading, or the name holds a named pipe, a socket or a
// device (taken, though never read). A folder is not a file.
bool FileExists(const std::string& path);
// True when the folder holds the file `fileName` or one whose name differs from it only in
// letter case (station files travel between systems whose file names ignore it).
bool FileExistsInAnyCase(const std::string& folder, const std::string& fileName);
// Equal but for the letter case of A-Z.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

enum class FileNameOutcome { Ok, NotSpecified, Exists, Illegal };

struct FileNameCheck {
  FileNameOutcome Outcome = FileNameOutcome::Ok;
  std::string Name;     // the name without blanks: the caller uses it as the file name
  std::string Path;     // folder + Name + "." + extension
  std::string Message;  // "ERROR:\n" + reason; empty when the name is good

  bool Ok() const { return Outcome == FileNameOutcome::Ok; }
};

// Checks the name of a new file in `folder` and creates it. Blanks are removed from the name
// and the extension. An empty name is "FileName is not yet specified"; an existing file, also
// one whose name differs only in letter case, is "Filename exists already" unless
// allowExisting; a name holding a point, '/', '\\' or a control character, and a file that
// cannot be created, is "illegal filename". When the name of a new file is good the file exists
// afterwards holding one empty line. With allowExisting (an output file that will be replaced
// through a temporary file) nothing is left behind: an existing file stays as it is and a new
// name is tried and removed again.
FileNameCheck CheckNewFileName(const std::string& folder, const std::string& name,
                               const std::string& extension, bool allowExisting);
// The same checks without creating the file (for a caller that makes its own test of it).
FileNameCheck CheckFileName(const std::string& folder, const std::string& name,
                            const std::string& extension, bool allowExisting);
// The check refused with the message of `outcome`.
FileNameCheck RefuseFileName(FileNameCheck check, FileNameOutcome outcome);

enum class RangeOutcome { Inside, Below, Above };

struct IntegerEntryCheck {
  RangeOutcome Outcome = RangeOutcome::Inside;
  int64_t Value = 0;      // the value forced into the range
  std::string FieldText;  // Value written I(width): what the field shows afterwards
  std::string Message;    // "ERROR:\n" + reason, the limit written I(width + 2); empty inside

  bool Inside() const { return Outcome == RangeOutcome::Inside; }
};

struct RealEntryCheck {
  RangeOutcome Outcome = RangeOutcome::Inside;
  double Value = 0.0;     // the value forced into the range
  std::string FieldText;  // Value written R(width, decimals)
  std::string Message;    // "ERROR:\n" + reason, the limit written R(width + 2, decimals + 2)

  bool Inside() const { return Outcome == RangeOutcome::Inside; }
};

// The range check of an entry field whose text the caller has already parsed into value.
// A value above the maximum becomes the maximum, below the minimum the minimum.
IntegerEntryCheck CheckIntegerEntry(int64_t value, int64_t minimum, int64_t maximum, int width);
RealEntryCheck CheckRealEntry(double value, double minimum, double maximum, int width,
                              int decimals);

}  // namespace vernoli
