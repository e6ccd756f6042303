#include "forms/workspace/plotpage.h"

#include "../workspace/workspace_form_fixture.h"
#include "forms/plot/TPlotMenuForm.h"
#include "forms/plot/graphimage.h"
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
  // The black line of series 2 at 6.5, over every record.
  for (int i = 1; i <= 4; ++i) {
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

TEST_F(PlotPageTest, SavesTheGraphAsShownThroughARename) {
  OpenPlot();
  PlotTemperatures();
  const std::string path = output.File("DEBILT_Temperature_2001.png");
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(messages.messages[0], "The graph is saved as " + QString::fromStdString(path));
  QImage saved;
  ASSERT_TRUE(saved.load(QString::fromStdString(path), "PNG"));
  EXPECT_GT(saved.width(), Page()->Plot().width());
  EXPECT_GT(saved.height(), Page()->Plot().height() + Page()->Time().height());

  // A failure names the file and leaves the older picture as it was, with no file beside it.
  const std::string before = ReadBytes(path);
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Rename);
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_EQ(messages.messages[1], "ERROR:\ncannot write file " + QString::fromStdString(path));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(output.Names(), std::set<std::string>{"DEBILT_Temperature_2001.png"});

  state.OutputFolder = output.Folder() + "missing/";  // a folder that is not there
  Click("SavePictureButton");
  ASSERT_EQ(messages.messages.size(), 3);
  EXPECT_TRUE(messages.messages[2].startsWith("ERROR:\n"));
  EXPECT_TRUE(messages.messages[2].contains("missing/DEBILT_Temperature_2001.png"));
}

}  // namespace
}  // namespace vernoli
