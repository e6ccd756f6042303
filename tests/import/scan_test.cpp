// The scan of an import file: outcomes with their line numbers, minima and maxima, the undefined
// value rule, the listing of a folder, and the texts of the file page.
#include "import/scan.h"

#include <gtest/gtest.h>

#include <string>

#include "../model/scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

ScanResult ScanBytes(const std::string& bytes, double undefined = -999.0,
                     ImportKind kind = ImportKind::Text) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.CXT"), bytes);
  return ScanImportFile(folder.File("IN.CXT"), kind, undefined);
}

std::string Lines(int count, const std::string& line) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += line + "\r\n";
  return bytes;
}

// ---------------------------------------------------------------------------------------------
// Outcomes

TEST(ImportScan, OutcomesStopAtTheLineOfTheFault) {
  struct Case {
    const char* name;
    std::string bytes;
    ScanOutcome outcome;
    int lines;
    int line;
    int columns;
  };
  const Case cases[] = {
      {"first line empty", "\r\n1 2\r\n", ScanOutcome::EmptyFile, 0, 0, 0},
      {"no bytes", "", ScanOutcome::EmptyFile, 0, 0, 0},
      {"12 lines, then an empty line and text",
       Lines(12, "1 2") + "\r\nnotes of the observer\r\n", ScanOutcome::Ok, 12, 12, 2},
      {"LF only, no final line end", "1\t2\n3 4", ScanOutcome::Ok, 2, 2, 2},
      {"a line of blanks", "1 2\r\n3 4\r\n   \t\r\n5 6\r\n", ScanOutcome::TextOrEmptyLine, 4, 3, 2},
      {"a comma: 12,5 is text", "1 2\r\n12,5 3\r\n", ScanOutcome::TextOrEmptyLine, 2, 2, 2},
      {"a letter", "1 2\r\nx 3\r\n", ScanOutcome::TextOrEmptyLine, 2, 2, 2},
      {"1-2 is no number", "1 2\r\n1-2 3\r\n", ScanOutcome::IllegalNumber, 2, 2, 2},
      {"a lone E", "E 2\r\n", ScanOutcome::IllegalNumber, 1, 1, 0},
      {"unequal columns", "1 2\r\n3 4 5\r\n6 7\r\n", ScanOutcome::UnequalColumns, 3, 2, 2},
      {"11 and 12 values count as 10", "1 2 3 4 5 6 7 8 9 10 11\r\n1 2 3 4 5 6 7 8 9 10 11 12\r\n",
       ScanOutcome::Ok, 2, 2, 10},
      {"exponents and signs", "+1.5 -2e1 .5\r\n", ScanOutcome::Ok, 1, 1, 3},
      {"another encoding: bytes above 127", "1 \xB0" "2\r\n", ScanOutcome::TextOrEmptyLine, 1, 1,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScanResult scan = ScanBytes(c.bytes);
    EXPECT_EQ(scan.Outcome, c.outcome);
    EXPECT_EQ(scan.Lines, c.lines);
    EXPECT_EQ(scan.Line, c.line);
    EXPECT_EQ(scan.Columns, c.columns);
  }
}

TEST(ImportScan, ExaminesTheWholeLineNotOnlyItsFirst255Characters) {
  const std::string longLine = std::string(300, ' ') + "1 2 x";
  const ScanResult scan = ScanBytes("1 2\r\n" + longLine + "\r\n");
  EXPECT_EQ(scan.Outcome, ScanOutcome::TextOrEmptyLine);
  EXPECT_EQ(scan.Line, 2);
  // Values far along a line count too.
  EXPECT_EQ(ScanBytes(std::string(400, ' ') + "7 8\r\n").Columns, 2);
}

TEST(ImportScan, AFileWithoutLineEndsIsRefusedAtItsFirstLine) {
  // 1 MB of numbers without a line feed was one line of ten columns, read into memory whole.
  ScratchFolder folder;
  const std::string path = folder.File("NOLF.CXT");
  std::string bytes = "1 2\r\n";
  while (bytes.size() < 1'000'000) bytes += "12.5 ";
  WriteBytes(path, bytes);
  const ScanResult scan = ScanImportFile(path, ImportKind::Text, -999.0);
  EXPECT_EQ(scan.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(scan.Reason, "line 2 of file " + path +
                             " is longer than 65536 characters, the longest line of text that "
                             "is read");
  const FileStatusTexts texts = FileStatus(scan);
  EXPECT_EQ(texts.Error2, scan.Reason);
  EXPECT_EQ(texts.CheckLine, "check line : 2");
  EXPECT_FALSE(LineCheck(scan, 2).Green);
}

TEST(ImportScan, BinaryBytesAreAnOutcomeNeverACrash) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
  const ScanResult scan = ScanBytes(bytes);
  EXPECT_EQ(scan.Outcome, ScanOutcome::TextOrEmptyLine);
}

TEST(ImportScan, AFileThatCannotBeOpenedNamesTheFile) {
  ScratchFolder folder;
  const ScanResult scan = ScanImportFile(folder.File("NONE.CXT"), ImportKind::Text, -999.0);
  EXPECT_EQ(scan.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(scan.Reason, "cannot open file " + folder.File("NONE.CXT") + ": No such file or directory");
  // A folder is no file either.
  EXPECT_EQ(ScanImportFile(folder.Folder(), ImportKind::Text, -999.0).Outcome,
            ScanOutcome::Unreadable);
}

TEST(ImportScan, MinimaAndMaximaLeaveTheUndefinedValueOut) {
  const ScanResult scan = ScanBytes("3 -99.9 5\r\n-1 -99.90 7\r\n2 -99.9004 -99.91\r\n", -99.9);
  ASSERT_EQ(scan.Outcome, ScanOutcome::Ok);
  EXPECT_EQ(scan.Minimum[0], -1.0);
  EXPECT_EQ(scan.Maximum[0], 3.0);
  // Every value of column 2 is undefined: both stay the undefined value.
  EXPECT_EQ(scan.Minimum[1], -99.9);
  EXPECT_EQ(scan.Maximum[1], -99.9);
  EXPECT_EQ(scan.Minimum[2], -99.91);
  EXPECT_EQ(scan.Maximum[2], 7.0);
}

TEST(ImportScan, HydrolexSumsTheDefinedHumidityAndWindAndDropsTheLastColumn) {
  const ScanResult scan = ScanBytes("'A',x\r\n1 2 60 100 5 6 7\r\n1 2 -999 50 5 6 7\r\n", -999.0,
                                    ImportKind::Hydrolex);
  EXPECT_EQ(scan.Columns, 6);
  EXPECT_EQ(scan.HumiditySum, 60.0);
  EXPECT_EQ(scan.WindSum, 150.0);
}

TEST(UndefinedValue, ComparesThousandthsAndNeverOverflows) {
  struct Case {
    double value, undefined;
    bool equal;
  };
  const Case cases[] = {
      {-99.9, -99.9, true},   {-99.90, -99.9, true},  {-99.9004, -99.9, true},
      {-99.91, -99.9, false}, {-999.0, -999.0, true}, {-999.0004, -999.0, true},
      {1e300, 1e300, false},  {-1e300, -999.0, false}, {1e16, 1e16, false},
      {99999999.0, 99999999.0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " vs " + std::to_string(c.undefined));
    EXPECT_EQ(IsUndefinedValue(c.value, c.undefined), c.equal);
  }
}

// ---------------------------------------------------------------------------------------------
// Listing

TEST(ImportListing, MatchesTheKindsExtensionInAnyLetterCase) {
  ScratchFolder folder;
  for (const char* name : {"b.cxt", "A.CXT", "c.Pen", "d.DAT", "e.txt", "CXT", "f.CSV", "g.tsv"}) {
    WriteBytes(folder.File(name), "1\r\n");
  }
  EXPECT_EQ(ListImportFiles(folder.Folder(), ImportKind::Text).Files,
            (std::vector<std::string>{"A.CXT", "b.cxt"}));
  EXPECT_EQ(ListImportFiles(folder.Folder(), ImportKind::Hydrolex).Files,
            (std::vector<std::string>{"c.Pen"}));
  EXPECT_EQ(ListImportFiles(folder.Folder(), ImportKind::Delimited).Files,
            (std::vector<std::string>{"e.txt", "f.CSV"}));
  EXPECT_EQ(ListImportFiles(folder.Folder(), ImportKind::Text).InfoText, "Select file from list");
  EXPECT_EQ(ListImportFiles(ScratchFolder().Folder(), ImportKind::Delimited).InfoText,
            "No import files (*.csv;*.txt) found in this directory");
  ScratchFolder empty;
  const ImportFileList none = ListImportFiles(empty.Folder(), ImportKind::Meteorix);
  EXPECT_FALSE(none.Enabled());
  EXPECT_EQ(none.InfoText, "No import files (*.DAT) found in this directory");
}

TEST(ImportListing, TheKindOfAFileFollowsItsExtension) {
  const std::pair<const char*, ImportKind> cases[] = {
      {"IN.CXT", ImportKind::Text},      {"in.cxt", ImportKind::Text},
      {"ROME.pen", ImportKind::Hydrolex}, {"LISBON.DAT", ImportKind::Meteorix},
      {"daily.txt", ImportKind::Delimited}, {"export.csv", ImportKind::Delimited},
      {"export.tsv", ImportKind::Delimited}, {"CXT", ImportKind::Delimited},
  };
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(ImportKindOfFile(name), kind) << name;
  }
}

// ---------------------------------------------------------------------------------------------
// Texts

TEST(ImportStatusTexts, EachOutcomeShowsItsWords) {
  ScanResult none;
  FileStatusTexts t = FileStatus(none);
  EXPECT_EQ(t.Error1, "Climatic Parameters can only be specified if file with climatic data is selected");
  EXPECT_EQ(t.Error10, "no file selected");
  EXPECT_EQ(t.Error2, "Select file with climatic data");
  EXPECT_EQ(t.NrLines2, "(no file selected)");
  EXPECT_EQ(LineCheck(none, 365).Text, "Select file with climatic data");

  const ScanResult empty = ScanBytes("");
  t = FileStatus(empty);
  EXPECT_EQ(t.Error1, "CAN NOT import data from requested file");
  EXPECT_EQ(t.Error2, "empty file (no data)");
  EXPECT_EQ(t.NrLines, "empty file (no data)");
  EXPECT_EQ(t.NrColumns, "");
  EXPECT_EQ(LineCheck(empty, 0).Text, "Check climatic file");

  struct Fault {
    std::string bytes;
    const char* reason;
  };
  const Fault faults[] = {{"1\r\n \r\n", "(some) lines might contain text, or are empty"},
                          {"1\r\n2 3\r\n", "not all lines have the same number of columns"},
                          {"1\r\n1-2\r\n", "contain illegal number(s)"}};
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.reason);
    t = FileStatus(ScanBytes(f.bytes));
    EXPECT_FALSE(t.FileLampGreen);
    EXPECT_EQ(t.Error10, "CAN NOT import data from requested file");
    EXPECT_EQ(t.Error2, f.reason);
    EXPECT_EQ(t.NrLines, "2 data lines");
    EXPECT_EQ(t.NrColumns, std::string("cannot read data : ") + f.reason);
    EXPECT_EQ(t.CheckLine, "check line : 2");
  }

  const ScanResult good = ScanBytes(Lines(12, "1 2 3"));
  t = FileStatus(good);
  EXPECT_TRUE(t.FileLampGreen);
  EXPECT_EQ(t.NrLines, "12 data lines");
  EXPECT_EQ(t.NrColumns, "3 climatic parameters");
  EXPECT_EQ(t.CheckLine, "");
  EXPECT_TRUE(LineCheck(good, 12).Green);
  EXPECT_EQ(LineCheck(good, 12).Text, "");
  EXPECT_EQ(LineCheck(good, 13).Text, "number of records DIFFERENT FROM lines in file");
}

TEST(ImportStatusTexts, RecordCounts) {
  EXPECT_EQ(RecordCountText(0, 365), "number of daily records = 365");
  EXPECT_EQ(RecordCountText(1, 36), "number of 10-daily records = 36");
  EXPECT_EQ(RecordCountText(2, 12), "number of monthly records = 12");
}

}  // namespace
}  // namespace vernoli
