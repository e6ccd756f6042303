#include "forms/stations/TDataForm.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "model/numbers.h"
#include "station_forms.h"

namespace vernoli {
namespace {

using test_support::Control;
using test_support::TextOf;
using test_support::WriteStation;

// Ten days with a temperature column reaching -20, a humidity column never recorded and an ETo
// column whose largest value is 6.5.
constexpr std::string_view kTenDays =
    "        Nr       101       202       501\r\n"
    "         1     -20.0    -999.0    -999.0\r\n"
    "         2      -5.0    -999.0       0.0\r\n"
    "         3       0.0    -999.0       1.0\r\n"
    "         4      10.0    -999.0    -999.0\r\n"
    "         5      12.0    -999.0       2.0\r\n"
    "         6      12.0    -999.0       2.0\r\n"
    "         7      12.0    -999.0       2.0\r\n"
    "         8      12.0    -999.0       2.0\r\n"
    "         9      12.0    -999.0       2.0\r\n"
    "        10      25.0    -999.0       6.5\r\n";

const QColor kBlue(0, 0, 255);

class DataFormTest : public test_support::StationFormTest {
 protected:
  DataFormTest() : form(state) { forms.DataForm = &form; }

  void Open(std::string_view data = kTenDays) {
    WriteStation(folder, "ALPHA", kDaily, {1, 1, 2001}, {10, 1, 2001}, data);
    SelectInFolder("ALPHA");
    form.show();
  }
  QTableWidget* Grid() { return Control<QTableWidget>(form, "StringGridData"); }
  QString Cell(int row, int column) { return Grid()->item(row, column)->text(); }
  // The chart of grid row `row` as the logic computes it for the form's image.
  Chart ChartOf(int row) {
    return BuildChart(state.Station, form.Overview(), row, TDataForm::kChartWidth,
                      TDataForm::kChartHeight);
  }
  QColor Pixel(int x, int y) { return form.ChartImage().pixelColor(x, y); }
  bool OnGridLine(const Chart& chart, int y) {
    for (const ChartGridLine& line : chart.GridLines) {
      if (std::abs(line.Y - y) <= 1) return true;
    }
    return false;
  }
  int BlackPixelsInRow(int y) {
    int black = 0;
    for (int x = 0; x < TDataForm::kChartWidth; ++x) black += Pixel(x, y) == QColor(Qt::black);
    return black;
  }
  int NonWhitePixels() {
    int count = 0;
    const QImage& image = form.ChartImage();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) != QColor(Qt::white);
    }
    return count;
  }

  testing::RecordingMessages messages;
  TDataForm form;
};

TEST_F(DataFormTest, CaptionsLabelsAndTheStatisticsGrid) {
  Open();
  EXPECT_EQ(form.windowTitle(), " Meteorological data menu");
  EXPECT_EQ(TextOf(form, "BitBtn1"), "OK");
  auto* pages = Control<QTabWidget>(form, "PageControl1");
  EXPECT_EQ(pages->tabText(0), " Available meteorological data   ");
  EXPECT_EQ(pages->tabText(1), " Plot meteorological data  ");
  EXPECT_EQ(pages->currentWidget(), Control(form, "ClimSheet"));
  QStringList labels;
  for (auto* label : form.findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"Station:", "Country:", "File", "Plot", " time "}) {
    EXPECT_TRUE(labels.contains(text)) << text;
  }
  const std::pair<const char*, const char*> texts[] = {
      {"LabelStation", "Alpha"},
      {"LabelCountry", "Beta"},
      {"EditFileName", "ALPHA.DTA"},
      {"TypeLabel", "Daily data"},
      {"RangeLabel", "from :  1 January 2001    to : 10 January 2001"},
      {"RecordLabel", "Number of record lines : 10"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(TextOf(form, name), text) << name;

  QStringList heading;
  for (int c = 0; c < Grid()->columnCount(); ++c) heading << Grid()->horizontalHeaderItem(c)->text();
  EXPECT_EQ(heading, (QStringList{"   Symbol", "   Description", "  Unit", " Minimum",
                                  " Maximum", " % Recorded"}));
  ASSERT_EQ(Grid()->rowCount(), 3);
  const QString degrees = QString(" ") + QChar(0xB0) + "C";
  const QStringList rows[] = {
      {"Tmax   ", "maximum air temperature             ", degrees, "  -20.0", "  25.0",
       "     100.0"},
      {"RHmean ", "mean relative humidity              ", " %", "  ", "  ", "       0.0"},
      {"ETo    ", "reference crop evapotranspiration   ", " mm/day", "  0.0", "  6.5",
       "      80.0"},
  };
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Cell(r, c), rows[r][c]) << r << "," << c;
  }
  // The grid is exactly as tall as its rows; three radio buttons stand beside them.
  EXPECT_EQ(Grid()->height(),
            2 * Grid()->frameWidth() + Grid()->horizontalHeader()->height() +
                3 * Grid()->rowHeight(0));
  EXPECT_TRUE(Control(form, "RB3")->isVisible());
  EXPECT_FALSE(Control(form, "RB4")->isVisible());
  // On activation the first parameter is drawn.
  EXPECT_TRUE(Control<QRadioButton>(form, "RB1")->isChecked());
  EXPECT_EQ(TextOf(form, "TitleLabel"), "maximum air temperature");
  EXPECT_GT(NonWhitePixels(), 0);
}

TEST_F(DataFormTest, EToUpTo6Point5IsDrawnOnARangeUpTo8Point4) {
  Open();
  Control<QRadioButton>(form, "RB3")->click();
  EXPECT_EQ(TextOf(form, "TitleLabel"), "reference crop evapotranspiration");
  const Chart chart = ChartOf(2);
  ASSERT_FALSE(chart.Empty);
  EXPECT_NEAR(chart.Maximum, 8.4, 1e-9);
  EXPECT_DOUBLE_EQ(chart.Minimum, 0.0);
  ASSERT_EQ(chart.Bars.size(), 8u);

  // The bar of 6.5 (the last record) is blue up to its value and white above it.
  const ChartBar& last = chart.Bars.back();
  EXPECT_EQ(last.Top, static_cast<int>(std::lround((1.0 - 6.5 / 8.4) * TDataForm::kChartHeight)));
  const int x = (last.Left + last.Right) / 2;
  int inside = (last.Top + last.Bottom) / 2;
  while (OnGridLine(chart, inside)) ++inside;
  int above = last.Top - 4;
  while (OnGridLine(chart, above)) --above;
  EXPECT_EQ(Pixel(x, inside), kBlue);
  EXPECT_EQ(Pixel(x, last.Top - 1), QColor(Qt::white));
  EXPECT_EQ(Pixel(x, above), QColor(Qt::white));
  EXPECT_EQ(Pixel(last.Left, inside), QColor(0, 0, 128));  // the navy outline

  // The value 0.0 of record 2 is a thick blue stroke on the 0 line.
  ASSERT_EQ(chart.ZeroMarks.size(), 1u);
  const ChartZeroMark& zero = chart.ZeroMarks[0];
  EXPECT_EQ(Pixel((zero.Left + zero.Right) / 2, TDataForm::kChartHeight - 1), kBlue);

  // Dotted black grid lines at every step up to the maximum.
  EXPECT_DOUBLE_EQ(chart.Step, 2.5);
  int drawn = 0;
  for (const ChartGridLine& line : chart.GridLines) {
    if (line.Y >= TDataForm::kChartHeight) continue;
    ++drawn;
    EXPECT_GT(BlackPixelsInRow(line.Y), TDataForm::kChartWidth / 5) << line.Value;
  }
  EXPECT_EQ(drawn, 3);
}

TEST_F(DataFormTest, TemperaturesBelowZeroGetGridLinesBelowZero) {
  Open();
  Control<QRadioButton>(form, "RB1")->click();
  const Chart chart = ChartOf(0);
  EXPECT_LT(chart.Minimum, 0.0);
  int below = 0;
  for (const ChartGridLine& line : chart.GridLines) {
    if (line.Value >= 0.0) continue;
    ++below;
    EXPECT_GT(BlackPixelsInRow(line.Y), TDataForm::kChartWidth / 5) << line.Value;
  }
  EXPECT_GT(below, 0);
  // The bar of -20 hangs from the 0 line down.
  const ChartBar& first = chart.Bars.front();
  EXPECT_EQ(first.Top, chart.ZeroY);
  int y = first.Bottom - 3;
  while (OnGridLine(chart, y)) --y;
  EXPECT_EQ(Pixel((first.Left + first.Right) / 2, y), kBlue);
}

TEST_F(DataFormTest, AParameterNeverRecordedHasAnEmptyChart) {
  Open();
  Control<QRadioButton>(form, "RB2")->click();
  EXPECT_EQ(TextOf(form, "TitleLabel"), "mean relative humidity");
  EXPECT_TRUE(ChartOf(1).Empty);
  EXPECT_EQ(NonWhitePixels(), 0);
}

// A data file of 18 parameters with one record, every value `value` (in width 10).
std::string EighteenParameters(const char* value) {
  const int codes[] = {101, 102, 103, 111, 112, 113, 201, 202, 203,
                       210, 221, 231, 232, 301, 401, 402, 421, 501};
  std::string data = "        Nr";
  std::string record = "         1";
  for (int code : codes) {
    data += FormatInt(code, 10);
    record += value;
  }
  return data + "\r\n" + record + "\r\n";
}

TEST_F(DataFormTest, MoreThanSixteenParametersAreListedButOnlySixteenCanBeDrawn) {
  Open(EighteenParameters("       1.0"));
  EXPECT_EQ(Grid()->rowCount(), 18);
  EXPECT_EQ(Cell(17, 0), "ETo    ");
  for (int k = 1; k <= 16; ++k) {
    const QString name = QString("RB%1").arg(k);
    auto* radio = form.findChild<QRadioButton*>(name);
    ASSERT_NE(radio, nullptr) << k;
    EXPECT_TRUE(radio->isVisible()) << k;
  }
  EXPECT_EQ(form.findChild<QRadioButton*>("RB17"), nullptr);
  EXPECT_EQ(form.Overview().PlotButtons(), 16);
}

// The table is as large as its contents: no cell cut, no scroll bar over a row or a
// description, and each radio button beside its row; only a table taller than the screen allows
// scrolls, as a whole with its radio buttons.
TEST_F(DataFormTest, TheTableShowsAllItsRowsAndColumnsBesideTheirRadioButtons) {
  const std::string many = EighteenParameters("    -999.0");
  for (const std::string_view data : {kTenDays, std::string_view(many)}) {
    const bool tall = data.size() == many.size();
    SCOPED_TRACE(tall ? "18 parameters" : "3 parameters");
    Open(data);
    QCoreApplication::processEvents();
    QTableWidget* grid = Grid();
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    const QRect view = grid->viewport()->rect();
    for (int r = 0; r < grid->rowCount(); ++r) {
      for (int c = 0; c < grid->columnCount(); ++c) {
        EXPECT_TRUE(view.contains(grid->visualItemRect(grid->item(r, c)))) << r << "," << c;
      }
      if (r >= kPlotButtons) continue;
      const QWidget* radio = Control(form, QString("RB%1").arg(r + 1).toUtf8().constData());
      const int rowMiddle = grid->viewport()->mapTo(&form, grid->visualItemRect(grid->item(r, 0)).center()).y();
      EXPECT_NEAR(radio->mapTo(&form, radio->rect().center()).y(), rowMiddle, 2) << r;
    }
    auto* scroll = Control<QScrollArea>(form, "GridScroll");
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    // The rows fit, or they scroll (only a tall table may).
    const bool scrolls = scroll->verticalScrollBar()->isVisible();
    EXPECT_TRUE(scrolls || scroll->viewport()->height() >= grid->height());
    EXPECT_TRUE(tall || !scrolls);
    EXPECT_GE(scroll->viewport()->width(), grid->width());
    form.hide();
  }
}

TEST_F(DataFormTest, ADataFileThatCannotBeReadIsReported) {
  WriteStation(folder, "ALPHA", kDaily, {1, 1, 2001}, {2, 1, 2001}, "        Nr       501\r\n");
  SelectInFolder("ALPHA");
  std::filesystem::remove(folder.File("ALPHA.DTA"));
  form.show();
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n"));
  EXPECT_EQ(Grid()->rowCount(), 0);
  EXPECT_EQ(NonWhitePixels(), 0);
}

}  // namespace
}  // namespace vernoli
