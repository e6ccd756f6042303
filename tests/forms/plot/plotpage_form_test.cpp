#include "forms/workspace/plotpage.h"

#include "../workspace/workspace_form_fixture.h"
#include "forms/plot/TPlotMenuForm.h"
#include "forms/plot/graphimage.h"
#include "forms/plot/graphpicture.h"
#include "model/atomicfile.h"

namespace vernoli {
namespace {

// A radio button or check box is clicked on its caption, at its left.
void ClickLeft(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(10, widget->height() / 2));
}

// ---------------------------------------------------------------------------------------------
// The painted plot: the pixels of a bar and of a line where the mapping puts them

TEST(PaintPlot, BarsAndLinesLieWhereTheMappingPutsThem) {
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  SetSeriesQuantity(graph.Series[1], Quantity::EToHar);
  graph.SeriesCount = 2;
  std::vector<PlotRecord> records(4);
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].Results.EToPM = 2.5 + static_cast<double>(i);  // 2.5 .. 5.5: off the grid lines
    records[i].Results.EToHar = 6.5;
  }
  const RepClimateFile station = NewStation();
  const QImage image = PaintPlot(DrawGraph(graph, records, station, 400, 200));
  const PlotScale scale(400, 200, 4, 0, 8);
  ASSERT_EQ(image.size(), QSize(400, 200));
  // Inside the bar of record 3 (value 4.5): filled blue; above it white.
  const int x3 = (scale.X(3) + scale.X(4)) / 2;
  EXPECT_EQ(image.pixelColor(x3, scale.Y(4.5) + 20), BarFill());
  EXPECT_EQ(image.pixelColor(x3, scale.Y(4.5) - 20), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(x3, scale.Y(4.5)), SlotColour(0));  // the bar's navy outline
  // The black line of series 2 at 6.5, over every record (in the first, the label of 6 lies
  // over it).
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(image.pixelColor((scale.X(i) + scale.X(i + 1)) / 2, scale.Y(6.5)), SlotColour(1));
  }
  // The grid lines are drawn over the bars: the dotted line at 2 crosses the bar in black.
  int black = 0;
  for (int x = scale.X(3) + 3; x < scale.X(4) - 3; ++x) {
    black += image.pixelColor(x, scale.Y(2.0)) == QColor(Qt::black) ? 1 : 0;
  }
  EXPECT_GT(black, 10);
}

TEST(PaintPlot, SoundAtTheEdges) {
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  graph.AxisMaximum = graph.AxisMinimum;  // a flat axis
  std::vector<PlotRecord> one(1);
  one[0].Results.EToPM = 1e308;  // far outside the axis
  const QImage image = PaintPlot(DrawGraph(graph, one, NewStation(), 300, 100));
  EXPECT_EQ(image.pixelColor(150, 50), BarFill());  // one record fills the width
  const QImage empty = PaintPlot(DrawGraph(graph, {}, NewStation(), 300, 100));
  EXPECT_EQ(empty.size(), QSize(300, 100));
  const TimeStrip strip = BuildTimeStrip(NewStation(), 1, 1, 300, 24);
  EXPECT_EQ(PaintTimeStrip(strip).pixelColor(299, 2), QColor(Qt::black));  // the end boundary
}

// The pixels of `image` in the inclusive rectangle that satisfy `test`.
template <typename Test>
int Count(const QImage& image, int left, int top, int right, int bottom, Test test) {
  int n = 0;
  for (int y = std::max(top, 0); y <= std::min(bottom, image.height() - 1); ++y) {
    for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x) {
      n += test(image.pixelColor(x, y)) ? 1 : 0;
    }
  }
  return n;
}
bool Dark(const QColor& c) { return c.lightness() < 100; }

TEST(PaintPlot, LabelsAreReadableOverTheDataAndGridLinesShowOnTheBars) {
  // ETo bars at 7.5 under every label, and a red line right through the label of 2.
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  SetSeriesQuantity(graph.Series[2], Quantity::EToHar);
  graph.SeriesCount = 3;  // slot 2 empty: a missing value draws nothing
  std::vector<PlotRecord> records(10);
  const PlotDrawing drawing = DrawGraph(graph, records, NewStation(), 400, 200);
  const PlotGridLine& two = drawing.GridLines[1];
  ASSERT_EQ(two.Value, 2);
  const double through = 8.0 * (200 - (two.LabelY - 5)) / 200;  // 5 pixels above the baseline
  for (PlotRecord& record : records) {
    record.Results.EToPM = 7.5;
    record.Results.EToHar = through;
  }
  const PlotDrawing d = DrawGraph(graph, records, NewStation(), 400, 200);
  const QImage image = PaintPlot(d);

  // Every grid label and both range labels: dark text on a light box, no bar or line colour.
  struct Box {
    std::string text;
    int x, baseline;
  };
  std::vector<Box> boxes;
  for (const PlotGridLine& line : d.GridLines) {
    if (line.Labelled) boxes.push_back({line.Label, line.LabelX, line.LabelY});
  }
  ASSERT_EQ(d.RangeLabels.size(), 2u);
  EXPECT_EQ(d.RangeLabels[0].Label, " 8 mm/day ");
  EXPECT_EQ(d.RangeLabels[1].Label, " 0 mm/day ");
  boxes.push_back({d.RangeLabels[0].Label, d.RangeLabels[0].X, d.RangeLabels[0].Y + 10});
  boxes.push_back({d.RangeLabels[1].Label, d.RangeLabels[1].X, d.RangeLabels[1].Y - 3});
  ASSERT_EQ(boxes.size(), 5u);  // 2, 4, 6, and the two ends
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.text);
    const int left = b.x + 4, right = b.x + 40, top = b.baseline - 8, bottom = b.baseline - 1;
    EXPECT_GT(Count(image, left, top, right, bottom, Dark), 8);
    EXPECT_EQ(Count(image, left, top, right, bottom,
                    [](const QColor& c) {
                      return c == BarFill() || c == SlotColour(0) || c == SlotColour(2);
                    }),
              0);
    EXPECT_GT(Count(image, left, top, right, bottom,
                    [](const QColor& c) { return c.lightness() > 200; }),
              (right - left + 1) * (bottom - top + 1) / 2);
  }
  // The red line runs on beside the label; the bars are light blue with a navy top.
  EXPECT_EQ(image.pixelColor(300, d.Height - static_cast<int>(std::lround(through * 25))), SlotColour(2));
  EXPECT_EQ(image.pixelColor(300, 150 + 20), BarFill());
  EXPECT_EQ(image.pixelColor(300, PlotScale(400, 200, 10, 0, 8).Y(7.5)), SlotColour(0));
  // The dotted line at 4 crosses the bars in black dots with white gaps.
  const int y4 = d.GridLines[2].Y;
  EXPECT_GT(Count(image, 120, y4, 380, y4, [](const QColor& c) { return c == Qt::black; }), 40);
  EXPECT_GT(Count(image, 120, y4, 380, y4, [](const QColor& c) { return c == Qt::white; }), 40);
}

TEST(PaintPlot, DailyBarsKeepTheirFillInsideOneOutline) {
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  std::vector<PlotRecord> records(365);
  for (std::size_t i = 0; i < records.size(); ++i) records[i].Results.EToPM = i < 180 ? 3.5 : 5.5;
  const QImage image = PaintPlot(DrawGraph(graph, records, NewStation(), 600, 200));
  const int y = 200 - 60;  // inside every bar, below both tops
  EXPECT_GT(Count(image, 20, y, 580, y, [](const QColor& c) { return c == BarFill(); }), 500);
  // The step between the two heights is outlined in navy, from 3.5 up to 5.5.
  const int step = PlotScale(600, 200, 365, 0, 8).X(181);
  EXPECT_EQ(image.pixelColor(step, 200 - 110), SlotColour(0));
}

TEST(PaintTimeStrip, DayTicksHangUnderTheTopBetweenTheMonthBoundaries) {
  RepClimateFile station = NewStation();
  SetSpan(station, kDaily, {1, 1, 2001}, {31, 12, 2001});
  const TimeStrip strip = BuildTimeStrip(station, 1, 365, 600, 24);
  const QImage image = PaintTimeStrip(strip);
  ASSERT_FALSE(strip.DayTicks.empty());
  for (int x : {strip.DayTicks.front(), strip.DayTicks.back()}) {
    EXPECT_TRUE(Dark(image.pixelColor(x, 0)));
    EXPECT_TRUE(Dark(image.pixelColor(x, strip.TickHeight - 1)));
    EXPECT_EQ(image.pixelColor(x, strip.Height - 1), QColor(Qt::white));  // boundaries run on
  }
  EXPECT_TRUE(Dark(image.pixelColor(strip.Boundaries[0], strip.Height - 1)));
}

// ---------------------------------------------------------------------------------------------
// The plot page in the workspace

class PlotPageTest : public WorkspaceFormTest {
 protected:
  PlotPageTest() {
    state.OutputFolder = output.Folder();
    forms.PlotMenuForm = &plotMenu;
    form.resize(1180, 760);
  }

  // The workspace on the De Bilt sample (or `station`), at its plot page.
  void OpenPlot(const RepClimateFile* station = nullptr) {
    if (station == nullptr) {
      for (const char* file : {"DEBILT.DSC", "DEBILT.DTA"}) {
        std::filesystem::copy_file(std::string(VERNOLI_SAMPLES) + "/DATA/" + file,
                                   folder.File(file));
      }
      ASSERT_TRUE(SelectStation(state, "DEBILT"));
    }
    Open(station == nullptr ? state.Station : *station);
    ShowPage("PlotSheet");
    QCoreApplication::processEvents();
  }
  PlotPage* Page() { return Control<PlotPage>("PlotSheet"); }
  QString Legend(int row, int column) {
    QTableWidgetItem* item = Control<QTableWidget>("LegendStringGrid")->item(row, column);
    return item == nullptr ? QString() : item->text();
  }

  // "Plot options": the temperature group with Tmean as bars, then "Plot".
  void PlotTemperatures() {
    modals.act = [](QDialog& form) {
      ClickLeft(form.findChild<QRadioButton*>("RadioTemp"));
      ClickLeft(form.findChild<QCheckBox*>("CheckBoxTmean"));
      auto* style = form.findChild<QComboBox*>("CBoxT1");
      style->setCurrentIndex(1);
      emit style->activated(1);
      QTest::mouseClick(form.findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
    };
    Click("PlotMenu");
    modals.act = nullptr;
  }

  testing::RecordingModals modals;
  ScratchFolder output;
  TPlotMenuForm plotMenu;
};

TEST_F(PlotPageTest, OpensOnTheDefaultEToGraphWithItsLegend) {
  OpenPlot();
  EXPECT_EQ(Text("LabelPlotTitle"), "Reference crop evapotranspiration (ETo)");
  EXPECT_EQ(Text("YearLabel"), "2001");
  EXPECT_EQ(Text("SavePictureButton"), "Save picture");
  EXPECT_FALSE(Page()->Time().isNull());
  EXPECT_FALSE(Control("LegendGroupBox")->isVisible());
  Click("LegendButton");
  EXPECT_TRUE(Control("LegendGroupBox")->isVisible());
  EXPECT_EQ(Control<QTableWidget>("LegendStringGrid")->rowCount(), 2);
  EXPECT_EQ(Legend(0, 0), "   Symbol");
  EXPECT_EQ(Legend(0, 1), "   Description");
  EXPECT_EQ(Legend(1, 0), "EToP-M ");
  EXPECT_TRUE(Control("ShapeL1")->isVisible());
  EXPECT_FALSE(Control("ShapeL2")->isVisible());
  EXPECT_EQ(Control<QLabel>("ShapeL1")->pixmap().toImage().pixelColor(7, 8), BarFill());
  // The legend takes room from the plot, which is drawn again at its new size.
  QCoreApplication::processEvents();
  EXPECT_EQ(Page()->Plot().size(), Control("PlotImage")->size());
  testing::SaveScreenshot(&form, "PlotPage_ETo");
  Click("CloseLegendButton");
  EXPECT_FALSE(Control("LegendGroupBox")->isVisible());
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(PlotPageTest, PlotOptionsChangeTheGraphAndAParameterChangeResetsIt) {
  OpenPlot();
  Click("LegendButton");
  PlotTemperatures();
  ASSERT_EQ(modals.names, QStringList{"PlotMenuForm"});
  EXPECT_FALSE(Control("LegendGroupBox")->isVisible());  // hidden for the plot options
  EXPECT_EQ(Text("LabelPlotTitle"), "Temperature");
  // The plot options form was told the data set: RHmax is not offered.
  EXPECT_FALSE(plotMenu.findChild<QCheckBox*>("CheckBoxRHmax")->isEnabled());
  Click("LegendButton");
  EXPECT_EQ(Control<QTableWidget>("LegendStringGrid")->rowCount(), 4);
  EXPECT_EQ(Legend(1, 0), "Tmean* ");  // De Bilt has no Tmean of its own
  EXPECT_EQ(Legend(2, 0), "Tmax   ");
  EXPECT_TRUE(Control("ShapeL3")->isVisible());
  EXPECT_FALSE(Control("ShapeL4")->isVisible());
  // Tmean* as bars has a swatch, Tmin a red line sample.
  EXPECT_EQ(Control<QLabel>("ShapeL1")->pixmap().toImage().pixelColor(7, 8), BarFill());
  const QImage tmin = Control<QLabel>("ShapeL3")->pixmap().toImage();
  EXPECT_EQ(tmin.pixelColor(7, 7), SlotColour(2));
  EXPECT_EQ(tmin.pixelColor(7, 1).alpha(), 0);
  testing::SaveScreenshot(&form, "PlotPage_Temperature");

  // The bars of Tmean* on 15 July where the mapping puts them (daily bars are a few pixels
  // wide: their navy outline or their blue fill).
  const QImage plot = Page()->Plot();
  const PlotScale scale(plot.width(), plot.height(), 365, -10, 40);
  const int x = (scale.X(196) + scale.X(197)) / 2;
  for (int y : {scale.Height() - 3, scale.Y(-9)}) {
    EXPECT_TRUE(plot.pixelColor(x, y) == BarFill() || plot.pixelColor(x, y) == SlotColour(0));
  }
  EXPECT_EQ(plot.pixelColor(x, scale.Y(38)), QColor(Qt::white));

  // A checked value redraws the plot; a change of the parameters resets it to ETo.
  ShowPage("DataSheet");
  Type(195, RowOf(101), "39");
  Enter();
  EXPECT_NE(Page()->Plot(), plot);
  EXPECT_EQ(Text("LabelPlotTitle"), "Temperature");
  ShowPage("DescriptionSheet");
  Click("TmeanCheckBox");
  EXPECT_EQ(Text("LabelPlotTitle"), "Reference crop evapotranspiration (ETo)");
  EXPECT_EQ(form.Session().Graph().Series[0].Quantity, Quantity::EToPM);
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
}

TEST_F(PlotPageTest, AYearChangeRedrawsThePlotAndItsTimeStrip) {
  const RepClimateFile station = Daily(400, {1, 3, 2001});
  OpenPlot(&station);
  EXPECT_EQ(Text("YearLabel"), "2001");
  const QImage first = Page()->Plot();
  const QImage strip = Page()->Time();
  Click("NextYearPlotButton");
  EXPECT_EQ(Text("YearLabel"), "2002");
  EXPECT_EQ(Text("PreviousYearPlotButton"), "< 2001");
  EXPECT_NE(Page()->Plot(), first);
  EXPECT_NE(Page()->Time(), strip);
  Click("PreviousYearPlotButton");
  EXPECT_EQ(Page()->Plot(), first);
  EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(PlotPageTest, SavesThePictureAsPngAndSvgAndAsksBeforeReplacingIt) {
  OpenPlot();
  PlotTemperatures();
  const std::string png = output.File("DEBILT_Temperature_2001.png");
  const std::string svg = output.File("DEBILT_Temperature_2001.svg");
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], "The graph is saved as " + QString::fromStdString(png) +
                                      "\nand as " + QString::fromStdString(svg));
  EXPECT_TRUE(messages.questions.isEmpty());
  QImage saved;
  ASSERT_TRUE(saved.load(QString::fromStdString(png), "PNG"));
  EXPECT_GT(saved.width(), Page()->Plot().width());
  EXPECT_GT(saved.height(), Page()->Plot().height() + Page()->Time().height());
  // The same picture as a drawing, with its title and caption as text.
  const std::string drawing = ReadBytes(svg);
  EXPECT_NE(drawing.find("<svg"), std::string::npos);
  EXPECT_NE(drawing.find(">Temperature<"), std::string::npos);
  EXPECT_NE(drawing.find("De Bilt, Netherlands (DEBILT)"), std::string::npos);
  EXPECT_NE(drawing.find("Values in \xC2\xB0" "C"), std::string::npos);  // UTF-8

  // Again: asked; No keeps the first pictures and saves the new ones under the next name.
  const std::string before = ReadBytes(png);
  Click("SavePictureButton");
  ASSERT_EQ(messages.questions.size(), 1);
  EXPECT_EQ(messages.questions[0],
            "The picture DEBILT_Temperature_2001 (.png and .svg) is in the output folder "
            "already.\nReplace it ?\n\nNo saves the graph as DEBILT_Temperature_2001_2 (.png and "
            ".svg).");
  EXPECT_EQ(ReadBytes(png), before);
  EXPECT_TRUE(messages.messages[1].startsWith(
      "The graph is saved as " + QString::fromStdString(output.File("DEBILT_Temperature_2001_2.png"))));
  // Yes replaces them.
  messages.answers.push_back(true);
  Click("SavePictureButton");
  EXPECT_EQ(messages.questions.size(), 2);
  EXPECT_EQ(messages.messages[2], messages.messages[0]);
  const std::set<std::string> names{"DEBILT_Temperature_2001.png", "DEBILT_Temperature_2001.svg",
                                    "DEBILT_Temperature_2001_2.png",
                                    "DEBILT_Temperature_2001_2.svg"};
  EXPECT_EQ(output.Names(), names);

  // A failure names the file and leaves the older picture as it was, with no file beside it.
  const std::string last = ReadBytes(png);
  messages.answers.push_back(true);
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 4);
  EXPECT_EQ(messages.messages[3], "ERROR:\ncannot write file " + QString::fromStdString(png));
  EXPECT_EQ(ReadBytes(png), last);
  EXPECT_EQ(output.Names(), names);

  state.OutputFolder = output.Folder() + "missing/";  // a folder that is not there
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 5);
  EXPECT_TRUE(messages.messages[4].startsWith("ERROR:\n"));
  EXPECT_TRUE(messages.messages[4].contains("missing/DEBILT_Temperature_2001.png"));
}

}  // namespace
}  // namespace vernoli
