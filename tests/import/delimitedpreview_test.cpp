// What the layout page shows of a delimited file: its first lines split, the span its dates give,
// and the codes a column may take.
#include "import/delimitedpreview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;
using Lines = std::vector<std::vector<std::string>>;

TEST(PreviewDelimited, SplitsTheFirstNonEmptyLinesAtTheSeparator) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.csv"), "date;tmax\r\n\r\n2001-03-01;\"12,5\"\n2001-03-02;13\n");
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Semicolon, 2),
            (Lines{{"date", "tmax"}, {"2001-03-01", "12,5"}}));
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Comma, 12),
            (Lines{{"date;tmax"}, {"2001-03-01;\"12", "5\""}, {"2001-03-02;13"}}));
}

TEST(PreviewDelimited, ShowsALineWholeWithoutSeparatorOrWhenItCannotBeSplit) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.csv"), "a,b\n\"open,c\n");
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Auto, 12),
            (Lines{{"a,b"}, {"\"open,c"}}));
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Comma, 12),
            (Lines{{"a", "b"}, {"\"open,c"}}));
}

TEST(PreviewDelimited, GivesNothingForAFileThatCannotBeOpened) {
  ScratchFolder folder;
  EXPECT_TRUE(PreviewDelimited(folder.File("NONE.csv"), FieldSeparator::Comma, 12).empty());
}

TEST(DelimitedSpanText, NamesTheDataTypeTheSpanAndTheRecords) {
  DelimitedFile file;
  EXPECT_EQ(DelimitedSpanText(file), "");
  file.First = {1, 3, 2001};
  file.Last = {3, 3, 2001};
  file.Records = 3;
  file.AbsentRecords = 1;
  EXPECT_EQ(DelimitedSpanText(file),
            "daily meteorological data from 01/03/2001 to 03/03/2001: 3 records, 1 absent");
}

TEST(ImportCodeChoices, ListsEveryCodeOfTheCodePagesInTheirOrder) {
  const std::vector<CodeChoice> codes = ImportCodeChoices();
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front().Code, 101);
  EXPECT_EQ(codes.front().Text.substr(0, 5), "101  ");
  for (std::size_t i = 1; i < codes.size(); ++i) EXPECT_LT(codes[i - 1].Code, codes[i].Code);
}

}  // namespace
}  // namespace vernoli
