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
using Lines = std::vector<PreviewLine>;

std::vector<DelimitedColumn> Named(const std::vector<std::string>& names) {
  std::vector<DelimitedColumn> columns(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    columns[i].Number = static_cast<int>(i) + 1;
    columns[i].Name = names[i];
  }
  return columns;
}

TEST(PreviewDelimited, SplitsTheFirstNonEmptyLinesAtTheSeparatorNumberedAsInTheFile) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.csv"), "date;tmax\r\n\r\n2001-03-01;\"12,5\"\n2001-03-02;13\n");
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Semicolon, 2),
            (Lines{{1, {"date", "tmax"}}, {3, {"2001-03-01", "12,5"}}}));
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Comma, 12),
            (Lines{{1, {"date;tmax"}}, {3, {"2001-03-01;\"12", "5\""}}, {4, {"2001-03-02;13"}}}));
  // From the header on, past a preamble.
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Semicolon, 1, 4),
            (Lines{{4, {"2001-03-02", "13"}}}));
}

TEST(PreviewDelimited, ShowsALineWholeWithoutSeparatorOrWhenItCannotBeSplit) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.csv"), "a,b\n\"open,c\n");
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Auto, 12),
            (Lines{{1, {"a,b"}}, {2, {"\"open,c"}}}));
  EXPECT_EQ(PreviewDelimited(folder.File("IN.csv"), FieldSeparator::Comma, 12),
            (Lines{{1, {"a", "b"}}, {2, {"\"open,c"}}}));
}

TEST(PreviewDelimited, StartsAtTheHeaderElseTheFirstDataLine) {
  DelimitedFile file;
  EXPECT_EQ(PreviewFirstLine(file), 1);
  file.FirstDataLine = 7;
  EXPECT_EQ(PreviewFirstLine(file), 7);
  file.HeaderLine = 5;
  EXPECT_EQ(PreviewFirstLine(file), 5);
}

TEST(PreviewDelimited, GivesNothingForAFileThatCannotBeOpened) {
  ScratchFolder folder;
  EXPECT_TRUE(PreviewDelimited(folder.File("NONE.csv"), FieldSeparator::Comma, 12).empty());
}

TEST(FoundLayout, NamesWhatTheReadingFoundAndNothingItDidNot) {
  ScratchFolder folder;
  WriteBytes(folder.File("IN.csv"), "time;tmax\n01.03.2001;1,5\n03.03.2001;2,5\n");
  const FoundLayout found = FoundLayoutOf(ReadDelimitedFile(folder.File("IN.csv")));
  EXPECT_EQ(found.Separator, "semicolon (;)");
  EXPECT_EQ(found.Decimal, "decimal comma");
  EXPECT_EQ(found.DateColumns, "time");
  EXPECT_EQ(found.DateOrder, "DD.MM.YYYY");
  EXPECT_EQ(found.DataType, "daily meteorological data");
  EXPECT_EQ(found.Span, "01/03/2001 to 03/03/2001: 3 records, 1 absent");
  EXPECT_EQ(FoundChoiceText(found.Separator), "found from the file: semicolon (;)");

  const FoundLayout none = FoundLayoutOf(DelimitedFile{});
  EXPECT_EQ(none.Separator + none.Decimal + none.DateColumns + none.DateOrder + none.Span, "");
  EXPECT_EQ(FoundChoiceText(none.Separator), "found from the file");
}

TEST(FoundLayout, NamesThreeDateColumnsAndAColumnWithoutAName) {
  DelimitedFile file;
  file.Columns = Named({"YEAR", "MONTH", ""});
  file.DateColumns = {1, 2, 3};
  file.Dates = DateFormat::Columns;
  const FoundLayout found = FoundLayoutOf(file);
  EXPECT_EQ(found.DateColumns, "YEAR, MONTH, column 3");
  EXPECT_EQ(found.DateOrder, "year, month and day columns");
}

TEST(DateParts, TheColumnsChosenElseFoundElseNamedElseTheFirstThree) {
  DelimitedFile file;
  file.Columns = Named({"stn", "Mo", "yr", "tmax"});
  DelimitedOptions layout;
  EXPECT_TRUE(DateColumnsInUse(layout, file).empty());
  const auto numbers = [](const std::vector<ColumnRef>& refs) {
    std::vector<int> result;
    for (const ColumnRef& ref : refs) result.push_back(ref.Number);
    return result;
  };
  // Year and month named, no day: monthly data.
  EXPECT_EQ(numbers(ProposedDateParts(layout, file)), (std::vector<int>{3, 2}));
  file.DateColumns = {4};
  layout.DateColumns = {ColumnRef::FromText("TMAX"), ColumnRef::FromText("nothing")};
  EXPECT_EQ(DateColumnsInUse(layout, file), (std::vector<int>{4, 0}));
  layout.DateColumns.clear();
  EXPECT_EQ(DateColumnsInUse(layout, file), (std::vector<int>{4}));
  file.Columns[1].Name = "m";
  EXPECT_EQ(numbers(ProposedDateParts(layout, file)), (std::vector<int>{1, 2, 3}));
  file.DateColumns = {4, 2, 1};
  EXPECT_EQ(numbers(ProposedDateParts(layout, file)), (std::vector<int>{4, 2, 1}));
}

}  // namespace
}  // namespace vernoli
