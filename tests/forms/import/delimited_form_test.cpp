// The import form with a delimited text file: the kind and its files, the layout page (the
// preview, the choices, the span, the column table) going through the import session, the
// values report, and an import through the form writing what the session writes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest/QTest>

#include <fstream>
#include <memory>
#include <gtest/gtest.h>

#include "../../kit/form_test_support.h"
#include "../../kit/recording_modals.h"
#include "../stations/station_forms.h"
#include "forms/import/TImportMenu.h"
#include "kit/editrule.h"

namespace vernoli {
namespace {

using test_support::Click;
using test_support::Control;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::TextOf;

// Three days of March 2001, the second absent: Tmax, Tmin (degC) and mean RH (%).
constexpr std::string_view kThreeDays =
    "date,tmax,tmin,rh\n2001-03-01,12.5,3.0,80\n2001-03-03,14.0,4.5,75\n";

// Two stations of made-up values; station 344 lacks 2 and 3 March.
constexpr std::string_view kTwoStations =
    "STN,date,tmax,tmin\n260,2001-03-01,12.5,3.0\n260,2001-03-02,13.0,3.5\n"
    "260,2001-03-03,14.0,4.5\n344,2001-03-01,10.0,1.0\n344,2001-03-04,11.0,2.0\n";

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class DelimitedFormTest : public test_support::StationFormTest {
 protected:
  DelimitedFormTest() {
    state.ImportFolder = importFolder.Folder();
    form = std::make_unique<TImportMenu>(state, navigator);
    forms.ImportMenu = form.get();
    WriteFile(importFolder.File("IN.csv"), kThreeDays);
    WriteFile(importFolder.File("OTHER.CXT"), "1 2\n");
    form->show();
  }

  QTableWidget* Grid(const char* name) { return Control<QTableWidget>(*form, name); }
  QString Cell(const char* grid, int row, int column) {
    QTableWidgetItem* item = Grid(grid)->item(row, column);
    return item == nullptr ? QString() : item->text();
  }
  QStringList Files() {
    QStringList names;
    QTableWidget* files = Grid("FileStringGrid");
    for (int row = 0; row < files->rowCount(); ++row) names << files->item(row, 0)->text();
    return names;
  }
  void ChooseFile(const QString& name) {
    QTableWidget* files = Grid("FileStringGrid");
    for (int row = 0; row < files->rowCount(); ++row) {
      if (files->item(row, 0)->text() == name) emit files->cellClicked(row, 0);
    }
  }
  // The user picks the item of a combo box that starts with `text`.
  void Pick(const char* box, const QString& text) {
    auto* combo = Control<QComboBox>(*form, box);
    for (int i = 0; i < combo->count(); ++i) {
      if (combo->itemText(i).startsWith(text)) {
        combo->setCurrentIndex(i);
        emit combo->activated(i);
        return;
      }
    }
    ADD_FAILURE() << box << " has no item " << text.toStdString();
  }
  QString Current(const char* box) { return Control<QComboBox>(*form, box)->currentText(); }
  QStringList Items(const char* box) {
    QStringList items;
    auto* combo = Control<QComboBox>(*form, box);
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  bool LayoutPageEnabled() {
    auto* pages = Control<QTabWidget>(*form, "PageControl1");
    return pages->isTabEnabled(pages->indexOf(Control(*form, "LayoutSheet")));
  }
  void OpenThreeDays() {
    Click(*form, "RadioDelimited");
    ChooseFile("IN.csv");
  }

  ScratchFolder importFolder;
  testing::RecordingMessages messages;
  testing::RecordingModals modals;
  std::unique_ptr<TImportMenu> form;
};

// ---------------------------------------------------------------------------------------------
// The kind and the layout page

TEST_F(DelimitedFormTest, TheKindListsItsFilesAndEnablesTheLayoutPage) {
  EXPECT_EQ(TextOf(*form, "RadioDelimited"), "delimited text (*.csv, *.txt)");
  EXPECT_FALSE(LayoutPageEnabled());
  Click(*form, "RadioDelimited");
  EXPECT_EQ(form->Session().Kind(), ImportKind::Delimited);
  EXPECT_EQ(Files(), QStringList{"IN.csv"});
  EXPECT_TRUE(LayoutPageEnabled());
  EXPECT_TRUE(Control(*form, "LabelSoft")->isHidden());
  // The dates decide the data type and the span, every part of them.
  const char* span[] = {"RadioDay", "RadioMonth", "ComboDay1", "ComboDayN", "FromYearEdit"};
  for (const char* name : span) EXPECT_FALSE(Control(*form, name)->isEnabled()) << name;
  Click(*form, "RadioText");
  EXPECT_EQ(Files(), QStringList{"OTHER.CXT"});
  EXPECT_FALSE(LayoutPageEnabled());
  for (const char* name : span) EXPECT_TRUE(Control(*form, name)->isEnabled()) << name;
}

TEST_F(DelimitedFormTest, AFileFillsThePreviewTheChoicesAndTheColumnTable) {
  OpenThreeDays();
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  QTableWidget* preview = Grid("PreviewGrid");
  ASSERT_EQ(preview->rowCount(), 3);
  ASSERT_EQ(preview->columnCount(), 4);
  EXPECT_EQ(Cell("PreviewGrid", 0, 1), "tmax");
  EXPECT_EQ(Cell("PreviewGrid", 2, 3), "75");
  EXPECT_EQ(preview->verticalHeaderItem(2)->text(), "3");  // the line of the file
  // Each choice left to the file shows what the reading found.
  EXPECT_EQ(Current("SeparatorBox"), "found from the file: comma (,)");
  EXPECT_EQ(Current("DecimalBox"), "found from the file: decimal point");
  EXPECT_EQ(Current("DateColumnBox"), "found from the file: date");
  EXPECT_EQ(Current("DateOrderBox"), "found from the file: YYYY-MM-DD");
  auto* dates = Control<QComboBox>(*form, "DateColumnBox");
  ASSERT_EQ(dates->count(), 6);
  EXPECT_EQ(dates->itemText(2), "tmax");
  EXPECT_EQ(dates->itemText(5), "year, month and day columns");
  EXPECT_FALSE(Control(*form, "YearColumnBox")->isEnabled());
  EXPECT_EQ(Current("YearColumnBox"), "");
  EXPECT_EQ(TextOf(*form, "DataTypeEdit"), "daily meteorological data");
  EXPECT_EQ(TextOf(*form, "DelimitedSpanEdit"), "01/03/2001 to 03/03/2001: 3 records, 1 absent");
  EXPECT_TRUE(Control<QLineEdit>(*form, "DelimitedSpanEdit")->isReadOnly());

  QTableWidget* columns = Grid("DelimitedColumnGrid");
  ASSERT_EQ(columns->rowCount(), 4);
  EXPECT_EQ(Cell("DelimitedColumnGrid", 0, 0), "date");
  EXPECT_EQ(Cell("DelimitedColumnGrid", 0, 1), "date");
  EXPECT_FALSE(Control(*form, "CodeBox1")->isEnabled());
  EXPECT_EQ(Cell("DelimitedColumnGrid", 1, 1), "code 101, factor 1");
  EXPECT_TRUE(Current("CodeBox2").startsWith("101  "));
  EXPECT_TRUE(Current("CodeBox3").startsWith("103  "));
  EXPECT_TRUE(Current("CodeBox4").startsWith("202  "));
  EXPECT_EQ(Control<QComboBox>(*form, "CodeBox4")->itemText(0), "not imported");
  EXPECT_EQ(TextOf(*form, "FactorEdit2"), "1");
  // The pages of the other kinds show the file's span and columns.
  EXPECT_EQ(TextOf(*form, "RecordLabel"), "number of daily records = 3");
  EXPECT_EQ(Cell("StringGridClimParam", 2, 2), "  202");
}

TEST_F(DelimitedFormTest, TheChoicesGoThroughTheSessionAndShowItsMessage) {
  OpenThreeDays();
  Pick("SeparatorBox", "semicolon");
  EXPECT_EQ(form->Session().Layout().Separator, FieldSeparator::Semicolon);
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].startsWith("ERROR:\n")) << messages.messages[0].toStdString();
  EXPECT_EQ(Grid("PreviewGrid")->columnCount(), 1);
  EXPECT_EQ(Cell("PreviewGrid", 0, 0), "date,tmax,tmin,rh");
  EXPECT_EQ(Current("SeparatorBox"), "semicolon (;)");

  Pick("SeparatorBox", "comma");
  EXPECT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(Grid("PreviewGrid")->columnCount(), 4);
  // A column left out: the parameter page shows the codes left.
  Pick("CodeBox4", "not imported");
  EXPECT_EQ(form->Session().Columns().Codes(), (std::vector<int16_t>{101, 103}));
  EXPECT_EQ(Cell("StringGridClimParam", 2, 1), "  103");
  EXPECT_EQ(Grid("StringGridClimParam")->columnCount() > 2 ? Cell("StringGridClimParam", 2, 2)
                                                          : QString(),
            "");
  EXPECT_FALSE(Control(*form, "FactorEdit4")->isEnabled());
  // Tmax imported as Tmean instead.
  Pick("CodeBox2", "102  ");
  EXPECT_EQ(form->Session().Columns().Codes(), (std::vector<int16_t>{102, 103}));
  EXPECT_EQ(Cell("StringGridClimParam", 2, 0), "  102");
  EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(DelimitedFormTest, TheDateInThreeColumnsIsShownAndChosenThroughTheSession) {
  WriteFile(importFolder.File("IN.csv"), "yr,mo,dy,tmax\n2001,1,3,12.5\n2001,2,3,13.0\n");
  OpenThreeDays();
  EXPECT_EQ(Current("DateColumnBox"), "found from the file: yr, mo, dy");
  EXPECT_EQ(Current("DateOrderBox"), "found from the file: year, month and day columns");
  for (const char* box : {"YearColumnBox", "MonthColumnBox", "DayColumnBox"}) {
    EXPECT_TRUE(Control(*form, box)->isEnabled()) << box;
  }
  EXPECT_EQ(Current("MonthColumnBox"), "mo");
  EXPECT_EQ(Control<QComboBox>(*form, "DayColumnBox")->itemText(0), "no day (monthly data)");
  EXPECT_EQ(TextOf(*form, "DelimitedSpanEdit"), "03/01/2001 to 03/02/2001: 32 records, 30 absent");

  Pick("DateColumnBox", "year, month and day columns");
  ASSERT_EQ(form->Session().Layout().DateColumns.size(), 3u);
  EXPECT_EQ(Current("DateColumnBox"), "year, month and day columns");
  // Month and day swapped: March 1st and 2nd.
  Pick("DayColumnBox", "mo");
  Pick("MonthColumnBox", "dy");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  EXPECT_EQ(form->Session().Layout().DateColumns[1].Number, 3);
  EXPECT_EQ(form->Session().Layout().DateColumns[2].Number, 2);
  EXPECT_EQ(TextOf(*form, "DelimitedSpanEdit"), "01/03/2001 to 02/03/2001: 2 records, 0 absent");

  Pick("DateColumnBox", "found from the file");
  EXPECT_TRUE(form->Session().Layout().DateColumns.empty());
  EXPECT_EQ(Current("DayColumnBox"), "dy");
}

TEST_F(DelimitedFormTest, MissingMarkersAreCommittedOnLeaving) {
  OpenThreeDays();
  auto* markers = Control<QLineEdit>(*form, "MarkersEdit");
  markers->setText(" NO RECORD ; x");
  ASSERT_TRUE(EditRule::Of(markers)->CommitNow());
  EXPECT_EQ(form->Session().MissingMarkers(), (std::vector<std::string>{"NO RECORD", "x"}));
  EXPECT_EQ(markers->text(), "NO RECORD; x");
}

TEST_F(DelimitedFormTest, AFactorThatIsNoNumberIsRefusedAndTheOldOneShown) {
  OpenThreeDays();
  auto* factor = Control<QLineEdit>(*form, "FactorEdit2");
  factor->setText("ten");
  EXPECT_FALSE(EditRule::Of(factor)->CommitNow());
  EXPECT_EQ(messages.messages,
            QStringList{"The factor of tmax must be a number: \"ten\" is none."});
  EXPECT_EQ(factor->text(), "1");
  EXPECT_EQ(form->Session().DelimitedColumns()[1].Factor, 1.0);

  factor->setText("0.1");
  EXPECT_TRUE(EditRule::Of(factor)->CommitNow());
  EXPECT_EQ(form->Session().DelimitedColumns()[1].Factor, 0.1);
  EXPECT_EQ(Control<QLineEdit>(*form, "FactorEdit2"), factor);  // the same field, kept
  EXPECT_EQ(factor->text(), "0.1");
  EXPECT_EQ(form->Session().Columns().Column(0).MaximumText, "   1.4");
}

// ---------------------------------------------------------------------------------------------
// The report and the import

TEST_F(DelimitedFormTest, TheReportPageListsTheValuesChanged) {
  WriteFile(importFolder.File("IN.csv"),
            "date,tmax,tmin,rh\n2001-03-01,99.0,3.0,80\n2001-03-02,14.0,4.5,75\n");
  OpenThreeDays();
  auto* list = Control<QListWidget>(*form, "ValuesReportList");
  EXPECT_FALSE(list->isHidden());
  Pick("BeyondBox", "set missing");
  EXPECT_EQ(form->Session().BeyondLimitsChoice(), BeyondLimits::SetMissing);
  const std::vector<std::string> lines = form->Session().ValuesReportLines();
  ASSERT_FALSE(lines.empty());
  ASSERT_EQ(list->count(), static_cast<int>(lines.size()));
  EXPECT_EQ(list->item(0)->text().toStdString(), lines[0]);
  Click(*form, "RadioText");
  EXPECT_TRUE(list->isHidden());
}

TEST_F(DelimitedFormTest, AnImportWritesWhatTheSessionWrites) {
  OpenThreeDays();
  Control<QLineEdit>(*form, "StationEdit")->setText("Csv");
  Control<QLineEdit>(*form, "EditFileName")->setText("CSV");
  Click(*form, "ImportButton");
  EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("|").toStdString();
  ASSERT_TRUE(form->Imported());
  EXPECT_EQ(state.Station.FileName, "CSV");

  ScratchFolder direct;
  ImportSession session(importFolder.Folder());
  session.ChangeKind(ImportKind::Delimited);
  ASSERT_EQ(session.ChooseFile("IN.csv"), "");
  session.SetStationName("Csv");
  ASSERT_TRUE(session.Import(direct.Folder(), "CSV").Imported());
  EXPECT_EQ(ReadBytes(folder.File("CSV.DTA")), ReadBytes(direct.File("CSV.DTA")));
  EXPECT_EQ(ReadBytes(folder.File("CSV.DSC")), ReadBytes(direct.File("CSV.DSC")));
  EXPECT_EQ(test_support::LineRange(folder.File("CSV.DTA"), 1, 1),
            "        Nr       101       103       202       501\r\n");
}

// ---------------------------------------------------------------------------------------------
// A file of several stations

TEST_F(DelimitedFormTest, TheStationBoxesShowTheColumnsAndTheStationsWithTheirRows) {
  WriteFile(importFolder.File("IN.csv"), kTwoStations);
  OpenThreeDays();
  // Read as one station the file is refused, and the message points at the station column.
  ASSERT_EQ(messages.messages.size(), 1);
  EXPECT_TRUE(messages.messages[0].endsWith(
      "; the file seems to hold several stations in column STN: choose it as the station "
      "column, or import every station with vernoli-batch import --station-column STN"))
      << messages.messages[0].toStdString();
  QStringList captions;
  for (const QLabel* label : Control(*form, "LayoutChoiceBox")->findChildren<QLabel*>()) {
    captions << label->text();
  }
  EXPECT_TRUE(captions.contains("Station column"));
  EXPECT_TRUE(captions.contains("Station"));
  EXPECT_EQ(Items("StationColumnBox"),
            (QStringList{"none (one station)", "STN", "date", "tmax", "tmin"}));
  EXPECT_EQ(Current("StationColumnBox"), "none (one station)");
  EXPECT_FALSE(Control(*form, "StationBox")->isEnabled());

  Pick("StationColumnBox", "STN");
  EXPECT_EQ(messages.messages.size(), 1);
  EXPECT_EQ(Items("StationBox"), (QStringList{"260 (3 rows)", "344 (2 rows)"}));
  EXPECT_EQ(Current("StationBox"), "260 (3 rows)");
  EXPECT_TRUE(Control(*form, "StationBox")->isEnabled());
  EXPECT_EQ(Cell("DelimitedColumnGrid", 0, 1), "station");
  EXPECT_FALSE(Control(*form, "CodeBox1")->isEnabled());

  // The station chosen is the one the page shows (its reading is the session's, tested there).
  Pick("StationBox", "344");
  EXPECT_EQ(TextOf(*form, "DelimitedSpanEdit"), "01/03/2001 to 04/03/2001: 4 records, 2 absent");
  EXPECT_EQ(TextOf(*form, "RecordLabel"), "number of daily records = 4");

  // A column that names no stations: its refusal shown, the file one station again.
  Pick("StationColumnBox", "tmax");
  ASSERT_EQ(messages.messages.size(), 2);
  EXPECT_TRUE(messages.messages[1].contains("names another station"))
      << messages.messages[1].toStdString();
  EXPECT_EQ(Current("StationColumnBox"), "none (one station)");
  EXPECT_FALSE(Control(*form, "StationBox")->isEnabled());
}

}  // namespace
}  // namespace vernoli
