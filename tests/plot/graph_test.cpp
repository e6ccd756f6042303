#include "plot/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/calendar.h"

namespace vernoli {
namespace {

RepClimateFile Station(uint8_t dataType, Date from, Date to) {
  RepClimateFile station = NewStation();
  station.Latitude = 52.1;
  station.Altitude = 200;
  SetSpan(station, dataType, from, to);
  return station;
}

const RepClimateFile kDaily2001 = Station(kDaily, {1, 1, 2001}, {31, 12, 2001});

// ---------------------------------------------------------------------------------------------
// The graph description

TEST(GraphDescription, DefaultGraphIsTheMethodsEToAsBars) {
  GraphDescription graph;
  graph.Groups[0] = true;
  DefaultEToGraph(graph, 2);
  EXPECT_EQ(graph.Groups, (std::array<bool, 8>{false, false, false, false, false, false, false, true}));
  EXPECT_EQ(graph.SeriesCount, 1);
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::EToHar);
  EXPECT_EQ(graph.Series[0].Style, SeriesStyle::Bar);
  EXPECT_EQ(graph.Series[0].Symbol, "EToHar ");
  EXPECT_EQ(graph.Series[0].Description, "ETo (Hargreaves method)             ");
  EXPECT_EQ(graph.AxisMinimum, 0);
  EXPECT_EQ(graph.AxisMaximum, 8);
  EXPECT_EQ(graph.Unit, "mm/day");
  EXPECT_EQ(EToQuantityOfMethod(1), Quantity::EToPM);
  EXPECT_EQ(EToQuantityOfMethod(0), Quantity::EToBC);

  ClearGraph(graph);
  EXPECT_EQ(graph.SeriesCount, 0);
  EXPECT_EQ(graph.AxisMinimum, -999);
  EXPECT_EQ(graph.AxisMaximum, -999);
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::None);
  EXPECT_EQ(GraphTitle(graph), "Reference crop evapotranspiration (ETo)");
}

TEST(GraphDescription, TitleFollowsTheLastMarkedGroup) {
  const char* titles[] = {"Temperature",       "Relative Humidity", "Vapour pressure",
                          "Wind speed",        "Sunshine duration", "Energy fluxes",
                          "Relative radiation"};
  GraphDescription graph;
  for (std::size_t g = 0; g < std::size(titles); ++g) {
    graph.Groups[g] = true;  // the marks of earlier groups stay set
    EXPECT_EQ(GraphTitle(graph), titles[g]);
  }
  graph.Groups[static_cast<std::size_t>(PlotGroup::ETo)] = true;  // no title of its own
  EXPECT_EQ(GraphTitle(graph), "Relative radiation");
}

// ---------------------------------------------------------------------------------------------
// Series values against the engine's results

TEST(SeriesValues, OneWorkedRecordPerGroup) {
  // A July day with only the temperature extremes, RHmax and sunshine: everything else comes
  // from the engine's estimates.
  ClimaticRecord data;
  data[Row::Tmax] = 28.0;
  data[Row::Tmin] = 14.0;
  data[Row::RHmax] = 90.0;
  data[Row::Sunshine] = 9.5;
  const int32_t k = DayNr(15, 7, 2001) - kDaily2001.FirstDayNr;
  std::vector<PlotRecord> computed(1);
  computed[0].Data = data;
  ComputePlotRecords(kDaily2001, computed, k);
  const PlotRecord& record = computed[0];
  RecordResults r;
  const double eto = ComputeRecord(196, data, kDaily2001, r);
  ASSERT_DOUBLE_EQ(record.ETo, eto);
  const double rso = (0.75 + 2.0 * 200 / 100000) * r.Ra;

  struct Case {
    const char* name;
    int quantity;
    double expected;
  } cases[] = {
      {"Tmax data", Row::Tmax, 28.0},
      {"Tmean stand-in", Row::Tmean, r.TmeanStar},
      {"RHmax data", Row::RHmax, 90.0},
      {"RHmean stand-in", Row::RHmean, r.RHmeanStar},
      {"RHmin has no stand-in", Row::RHmin, kMissing},
      {"e(act) stand-in", Row::Eact, r.EactStar},
      {"e(def)", Quantity::Edef, r.Esat - r.EactStar},
      {"Tdew stand-in", Row::Tdew, r.TdewStar},
      {"wind stand-in", Row::Wind, r.U2Star},
      {"n data", Row::Sunshine, 9.5},
      {"N", Quantity::DaylightHours, r.DaylightHours},
      {"Rso", Quantity::Rso, rso},
      {"Rs stand-in", Row::Rs, r.RsStar},
      {"Rns with the Penman-Monteith albedo", Quantity::Rns, 0.77 * r.RsStar},
      {"Rnl", Quantity::Rnl, r.Rnl},
      {"L(ET)", Quantity::LatentHeat, 2.45 * eto},
      {"n/N", Quantity::RelativeSunshine, 100.0 * 9.5 / r.DaylightHours},
      {"Rs/Rso", Quantity::RelativeRs, 100.0 * r.RsStar / rso},
      {"ETo Penman-Monteith", Quantity::EToPM, r.EToPM},
      {"ETo Blaney-Criddle", Quantity::EToBC, r.EToBC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(QuantityValue(c.quantity, record, kDaily2001), c.expected, 1e-12);
  }
  EXPECT_GT(r.RsStar, 0.0);

  // Another method takes the Penman albedo for Rns.
  RepClimateFile penman = kDaily2001;
  penman.Method = 4;
  EXPECT_NEAR(QuantityValue(Quantity::Rns, record, penman), 0.75 * r.RsStar, 1e-12);
  // Without the elevation option Rso is (a + b) Ra.
  RepClimateFile angstrom = kDaily2001;
  angstrom.Flags.ElevationAdjustment = 0;
  angstrom.Settings.AngstromA = 0.2;
  EXPECT_NEAR(QuantityValue(Quantity::Rso, record, angstrom), 0.7 * r.Ra, 1e-12);
}

TEST(SeriesValues, DerivedQuantitiesAtTheirEdges) {
  PlotRecord record;
  record.Results.SunshineStar = 7.0;
  record.Results.DaylightHours = 14.0;
  EXPECT_DOUBLE_EQ(QuantityValue(Quantity::RelativeSunshine, record, kDaily2001), 50.0);
  record.Results.DaylightHours = 0.4;  // polar night: N rounds to 0
  EXPECT_DOUBLE_EQ(QuantityValue(Quantity::RelativeSunshine, record, kDaily2001), 0.0);
  record.Results.Ra = 0.3;
  record.Results.RsStar = 0.0;
  EXPECT_DOUBLE_EQ(QuantityValue(Quantity::RelativeRs, record, kDaily2001), 0.0);

  PlotRecord empty;  // every result missing: every derived value missing
  for (int q : {Quantity::Edef, Quantity::RelativeSunshine, Quantity::Rso, Quantity::RelativeRs,
                Quantity::Rns, Quantity::LatentHeat, Quantity::None, 61}) {
    SCOPED_TRACE(q);
    EXPECT_TRUE(IsMissing(QuantityValue(q, empty, kDaily2001)));
  }
}

// ---------------------------------------------------------------------------------------------
// Pixels

TEST(PlotScale, MapsRecordsAndValues) {
  const PlotScale scale(600, 200, 12, 0, 8);
  EXPECT_EQ(scale.X(1), 0);
  EXPECT_EQ(scale.X(2), 50);
  EXPECT_EQ(scale.X(13), 600);
  EXPECT_EQ(scale.Y(0), 200);
  EXPECT_EQ(scale.Y(8), 0);
  EXPECT_EQ(scale.Y(3), 125);
  const PlotScale daily(600, 200, 365, -10, 40);
  EXPECT_EQ(daily.X(366), 600);
  EXPECT_EQ(daily.X(100), 163);  // round(99 x 600 / 365) = round(162.74)
  EXPECT_EQ(daily.Y(0), 160);
}

TEST(PlotScale, SoundAtTheEdges) {
  const PlotScale flat(600, 200, 10, 5, 5);  // minimum equal to maximum
  EXPECT_EQ(flat.Y(5), 200);
  EXPECT_EQ(flat.Y(5.5), 100);
  const PlotScale scale(600, 200, 1, 0, 8);  // one single record spans the width
  EXPECT_EQ(scale.X(1), 0);
  EXPECT_EQ(scale.X(2), 600);
  for (double v : {1e300, -1e300, 1e9}) {
    SCOPED_TRACE(v);
    const int y = scale.Y(v);
    EXPECT_TRUE(y >= -8 && y <= 208);
  }
  const PlotScale empty(0, 0, 0, 0, 0);
  EXPECT_EQ(empty.X(2), 1);
}

TEST(GridLines, TemperaturesFromMinus25To40) {
  const PlotScale scale(600, 650, 10, -25, 40);
  const std::vector<PlotGridLine> lines = GridLines("\xB0" "C", -25, 40, scale);
  std::vector<int> values;
  for (const PlotGridLine& l : lines) values.push_back(l.Value);
  EXPECT_EQ(values, (std::vector<int>{0, 10, 20, 30, -10, -20}));
  EXPECT_TRUE(lines[0].Solid);
  EXPECT_FALSE(lines[1].Solid);
  EXPECT_EQ(lines[1].Label, " 10 \xB0" "C ");
  EXPECT_EQ(lines[1].Y, 650 - 350);
  EXPECT_EQ(lines[1].LabelX, 12);
  EXPECT_EQ(lines[1].LabelY, 300 - 13);
  EXPECT_TRUE(lines[5].Labelled);  // -20 at y 600, its label at 587 < 617.5

  // The 0 line at the bottom of an axis from 0 carries no label; the steps per unit.
  const std::vector<PlotGridLine> eto = GridLines("mm/day", 0, 8, PlotScale(600, 200, 5, 0, 8));
  ASSERT_EQ(eto.size(), 4u);
  EXPECT_FALSE(eto[0].Labelled);
  EXPECT_EQ(eto[3].Value, 6);
  EXPECT_EQ(AxisStep("%"), 20);
  EXPECT_EQ(AxisStep("hour/day"), 5);
  EXPECT_EQ(AxisStep("MJ/m2.day"), 10);
  EXPECT_EQ(AxisStep("kPa"), 1);
  // A wild axis gets a bounded number of lines.
  EXPECT_LE(GridLines("kPa", -2000000000, 2000000000, scale).size(), 200u);
}

TEST(RangeLabels, BothEndsLabelledAtTheEdgesUnlessAGridLabelIsThere) {
  // ETo 0 to 8: the 0 line at the bottom has no label of its own, the range labels both ends.
  const PlotScale eto(600, 200, 5, 0, 8);
  const std::vector<RangeLabel> ends =
      RangeLabels("mm/day", 0, 8, eto, GridLines("mm/day", 0, 8, eto));
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].Label, " 8 mm/day ");
  EXPECT_TRUE(ends[0].Top);
  EXPECT_EQ(ends[0].Y, 2);
  EXPECT_EQ(ends[0].X, 12);  // with the grid labels
  EXPECT_EQ(ends[1].Label, " 0 mm/day ");
  EXPECT_FALSE(ends[1].Top);
  EXPECT_EQ(ends[1].Y, 198);

  struct Case {
    const char* name;
    int minimum, maximum;
    std::vector<int> labelled;
  } cases[] = {
      {"-10 to 40: no grid line at either end", -10, 40, {40, -10}},
      {"-25 to 40: the -20 label is well above the bottom", -25, 40, {40, -25}},
      {"-10 to 31: the 30 label sits against the top", -10, 31, {-10}},
      {"flat axis: one label", 5, 5, {5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlotScale scale(600, 280, 365, c.minimum, c.maximum);
    std::vector<int> values;
    for (const RangeLabel& l :
         RangeLabels("\xB0" "C", c.minimum, c.maximum, scale,
                     GridLines("\xB0" "C", c.minimum, c.maximum, scale))) {
      values.push_back(l.Value);
    }
    EXPECT_EQ(values, c.labelled);
  }

  // DrawGraph hands them to the painter with the grid lines.
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  EXPECT_EQ(DrawGraph(graph, {}, kDaily2001, 600, 200).RangeLabels.size(), 2u);
}

TEST(DrawGraph, BarsThenLinesAndAMissingValueBreaksTheLine) {
  GraphDescription graph;
  graph.Groups[0] = true;
  SetSeriesQuantity(graph.Series[0], Row::Tmean);
  graph.Series[0].Style = SeriesStyle::Bar;
  SetSeriesQuantity(graph.Series[1], Row::Tmax);
  graph.SeriesCount = 2;
  graph.AxisMinimum = 0;
  graph.AxisMaximum = 40;
  graph.Unit = "\xB0" "C";
  std::vector<PlotRecord> records(3);
  records[0].Data[Row::Tmean] = 10.0;
  records[0].Data[Row::Tmax] = 20.0;
  records[1].Data[Row::Tmean] = 20.0;  // Tmax missing
  records[2].Data[Row::Tmean] = 30.0;
  records[2].Data[Row::Tmax] = 30.0;

  const PlotDrawing d = DrawGraph(graph, records, kDaily2001, 300, 400);
  ASSERT_EQ(d.Shapes.size(), 5u);
  auto is = [](const PlotShape& s, PlotShape::Kind kind, int slot, int x1, int y1, int x2, int y2) {
    return s.Shape == kind && s.Slot == slot && s.X1 == x1 && s.Y1 == y1 && s.X2 == x2 &&
           s.Y2 == y2;
  };
  EXPECT_TRUE(is(d.Shapes[0], PlotShape::Bar, 0, 0, 300, 100, 400));
  EXPECT_TRUE(is(d.Shapes[1], PlotShape::Stroke, 1, 0, 200, 100, 200));  // the line over the bar
  EXPECT_TRUE(is(d.Shapes[2], PlotShape::Bar, 0, 100, 200, 200, 400));
  EXPECT_TRUE(is(d.Shapes[3], PlotShape::Bar, 0, 200, 100, 300, 400));
  // After the gap the line starts again with its horizontal stroke only.
  EXPECT_TRUE(is(d.Shapes[4], PlotShape::Stroke, 1, 200, 100, 300, 100));
  EXPECT_EQ(d.GridLines.size(), 4u);

  // Slot 1 as a line joins the previous record with a vertical stroke.
  graph.Series[0].Style = SeriesStyle::Line;
  const PlotDrawing lines = DrawGraph(graph, records, kDaily2001, 300, 400);
  EXPECT_TRUE(is(lines.Shapes[2], PlotShape::Stroke, 0, 100, 300, 100, 200));
}

// ---------------------------------------------------------------------------------------------
// The time strip

TEST(TimeStrip, MonthBoundariesOfDailyTenDailyAndMonthlyData) {
  struct Case {
    const char* name;
    RepClimateFile station;
    int32_t first, last;
    std::vector<int32_t> ends;
    std::vector<int> months;
  } cases[] = {
      {"daily year", kDaily2001, 1, 365,
       {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"daily from 15 February of a leap year", Station(kDaily, {15, 2, 2004}, {10, 4, 2004}), 1,
       56, {15, 46, 56}, {2, 3, 4}},
      {"10-daily from the second decade of April", Station(kTenDaily, {11, 4, 2001}, {31, 12, 2002}),
       1, 26, {2, 5, 8, 11, 14, 17, 20, 23, 26}, {4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"10-daily second year", Station(kTenDaily, {11, 4, 2001}, {31, 12, 2002}), 27, 62,
       {3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"monthly from March, cut at the end", Station(kMonthly, {1, 3, 1901}, {31, 5, 1901}), 1, 3,
       {1, 2, 3}, {3, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MonthStretches m = MonthsOfRange(c.station, c.first, c.last);
    EXPECT_EQ(m.Ends, c.ends);
    EXPECT_EQ(m.Months, c.months);
  }
}

TEST(TimeStrip, PixelsLabelsAndYear) {
  const RepClimateFile monthly = Station(kMonthly, {1, 1, 2001}, {31, 12, 2001});
  const TimeStrip strip = BuildTimeStrip(monthly, 1, 12, 600, 30);
  ASSERT_EQ(strip.Boundaries.size(), 12u);
  EXPECT_EQ(strip.Boundaries[0], 50);
  EXPECT_EQ(strip.Boundaries[11], 600);
  EXPECT_EQ(strip.Labels[0].Text, "1");
  EXPECT_EQ(strip.Labels[0].X, 23);   // 45% of 0..50, rounded
  EXPECT_EQ(strip.Labels[1].X, 73);   // 50 + 45% of 50
  EXPECT_EQ(strip.Labels[11].Text, "12");
  EXPECT_EQ(strip.Labels[0].Y, 12);
  EXPECT_EQ(strip.Year, "2001");
  EXPECT_EQ(BuildTimeStrip(Station(kMonthly, {1, 1, 1901}, {31, 12, 1901}), 1, 12, 600, 30).Year,
            "");
  // One single record and an empty range.
  const TimeStrip one = BuildTimeStrip(kDaily2001, 40, 40, 600, 30);
  EXPECT_EQ(one.Boundaries, std::vector<int>{600});
  EXPECT_EQ(one.Labels[0].Text, "2");
  EXPECT_TRUE(BuildTimeStrip(kDaily2001, 5, 4, 600, 30).Boundaries.empty());
}

TEST(TimeStrip, DayTicksOfDailyDataAtLeastFourPixelsApart) {
  // 600 pixels for 365 days: every 5th day (6, 11, ... 31), none on a month boundary.
  const TimeStrip year = BuildTimeStrip(kDaily2001, 1, 365, 600, 30);
  EXPECT_EQ(year.DayTicks.size(), 67u);  // 6 in the months of 31 days, 5 in the others
  EXPECT_EQ(year.DayTicks[0], 8);        // before 6 January: 5 days x 600 / 365
  EXPECT_EQ(year.TickHeight, 9);         // 30% of the strip, under the labels at 40%
  for (int x : year.DayTicks) {
    EXPECT_TRUE(std::find(year.Boundaries.begin(), year.Boundaries.end(), x) ==
                year.Boundaries.end());
  }
  // Wide: every day but the first of a month; narrow: every 10th day.
  EXPECT_EQ(BuildTimeStrip(kDaily2001, 1, 365, 3000, 30).DayTicks.size(), 364u - 11u);
  EXPECT_EQ(BuildTimeStrip(kDaily2001, 1, 365, 250, 30).DayTicks.size(), 12u * 2u + 7u);
  // From 15 February: the first tick is 16 February (1 record in), then 21 and 26.
  const TimeStrip february = BuildTimeStrip(Station(kDaily, {15, 2, 2004}, {10, 4, 2004}), 1, 14,
                                            28, 30);
  EXPECT_EQ(february.DayTicks, (std::vector<int>{2, 12, 22}));
  // 10-daily and monthly data have none.
  EXPECT_TRUE(BuildTimeStrip(Station(kMonthly, {1, 1, 2001}, {31, 12, 2001}), 1, 12, 600, 30)
                  .DayTicks.empty());
  EXPECT_TRUE(BuildTimeStrip(Station(kTenDaily, {1, 1, 2001}, {31, 12, 2001}), 1, 36, 600, 30)
                  .DayTicks.empty());
}

// ---------------------------------------------------------------------------------------------
// The legend

TEST(Legend, BarsHaveASwatchAndLinesALineSample) {
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  SetSeriesQuantity(graph.Series[1], Quantity::EToHar);
  SetSeriesQuantity(graph.Series[2], Quantity::EToMak);
  graph.Series[2].Style = SeriesStyle::Bar;  // only series 1 is ever drawn as bars
  graph.SeriesCount = 3;
  const std::vector<LegendRow> rows = LegendRows(graph);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Mark, LegendMark::Swatch);
  EXPECT_EQ(rows[1].Mark, LegendMark::LineSample);
  EXPECT_EQ(rows[2].Mark, LegendMark::LineSample);
  EXPECT_EQ(rows[2].Slot, 2);
  graph.Series[0].Style = SeriesStyle::Line;
  EXPECT_EQ(LegendRows(graph)[0].Mark, LegendMark::LineSample);
}

TEST(GraphPicture, NamedForTheStationTheGroupAndTheYear) {
  RepClimateFile station = Station(kDaily, {1, 3, 2001}, {31, 3, 2002});
  station.FileName = "DEBILT";
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  EXPECT_EQ(GraphPictureName(station, graph, 1), "DEBILT_ETo_2001.png");
  graph.Groups[static_cast<std::size_t>(PlotGroup::EnergyFluxes)] = true;
  EXPECT_EQ(GraphPictureName(station, graph, 307), "DEBILT_Energy_fluxes_2002.png");
  RepClimateFile means = Station(kMonthly, {1, 1, 1901}, {31, 12, 1901});
  means.FileName = "MADRID";
  EXPECT_EQ(GraphPictureName(means, graph, 1), "MADRID_Energy_fluxes.png");
  EXPECT_EQ(NumberedPictureName("MADRID_Energy_fluxes.png", 1), "MADRID_Energy_fluxes.png");
  EXPECT_EQ(NumberedPictureName("MADRID_Energy_fluxes.png", 12), "MADRID_Energy_fluxes_12.png");
}

TEST(GraphPicture, CaptionNamesTheStationTheYearAndTheUnit) {
  RepClimateFile station = Station(kDaily, {1, 3, 2001}, {31, 3, 2002});
  station.FileName = "DEBILT";
  station.StationName = "De Bilt    ";  // fixed-width fields keep their blanks
  station.Country = "Netherlands";
  GraphDescription graph;
  DefaultEToGraph(graph, 1);
  EXPECT_EQ(GraphCaption(station, graph, 307),
            "De Bilt, Netherlands (DEBILT)   Year 2002   Values in mm/day");
  graph.Unit = "\xB0" "C";
  station.Country.clear();
  EXPECT_EQ(GraphCaption(station, graph, 1), "De Bilt (DEBILT)   Year 2001   Values in \xB0" "C");
  RepClimateFile means = Station(kMonthly, {1, 1, 1901}, {31, 12, 1901});
  means.FileName = "MADRID";
  EXPECT_EQ(GraphCaption(means, graph, 1),
            "(MADRID)   Year: not linked to a specific year   Values in \xB0" "C");
}

}  // namespace
}  // namespace vernoli
