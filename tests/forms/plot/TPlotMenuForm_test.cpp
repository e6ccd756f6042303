#include "forms/plot/TPlotMenuForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <vector>

#include "../../kit/form_test_support.h"
#include "kit/formkit.h"

namespace vernoli {
namespace {

void ClickLeft(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(10, widget->height() / 2));
}

class PlotMenuFormTest : public ::testing::Test {
 protected:
  PlotMenuFormTest() { DefaultEToGraph(graph, 1); }

  void Open(const std::vector<int16_t>& codes) {
    form.SetDataSet(codes, StationLimits{}, graph);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Buttons are clicked at their left, where a radio button or check box has its caption.
  void Click(const char* name) { ClickLeft(Control(name)); }
  void ChooseBar(const char* styleBox) {
    auto* box = Control<QComboBox>(styleBox);
    box->setCurrentIndex(1);
    emit box->activated(1);
  }

  GraphDescription graph;
  TPlotMenuForm form;
};

TEST_F(PlotMenuFormTest, CaptionsOfTheGroupsAndSeries) {
  EXPECT_EQ(form.windowTitle(), " Plot menu");
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(Control<QGroupBox>("GroupBoxPlotOptions")->title(), " Plot options ");
  const std::pair<const char*, const char*> radios[] = {
      {"RadioTemp", "Temperature"},       {"RadioRH", "Relative Humidity"},
      {"RadioE", "Vapour pressure"},      {"RadioU", "Wind speed (u)"},
      {"RadioN", "Sunshine duration"},    {"RadioR", "Energy fluxes"},
      {"RadioRelR", "Relative radiation"}, {"RadioETo", "Reference evapotranspiration (ETo)"},
  };
  for (const auto& [name, caption] : radios) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Control<QRadioButton>(name)->text(), caption);
  }
  const std::pair<const char*, const char*> boxes[] = {
      {"TempGroupBox", " Temperatures "},     {"RHGroupBox", " Relative Humidities "},
      {"EGroupBox", " Vapour pressures "},    {"UGroupBox", " Wind speed "},
      {"NGroupBox", " Sunshine duration "},   {"RGroupBox", " Energy fluxes "},
      {"RelRGroupBox", " Relative radiation "},
      {"EToGroupBox", " Reference evapotranspiration "},
  };
  for (const auto& [name, title] : boxes) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Control<QGroupBox>(name)->title(), title);
  }
  const std::pair<const char*, const char*> series[] = {
      {"CheckBoxTmean", "Mean air temperature (Tmean)"},
      {"CheckBoxTmax", "Maximum air temperature (Tmax)"},
      {"CheckBoxTmin", "Minimum air temperature (Tmin)"},
      {"CheckBoxTdew", "Dewpoint temperature (Tdew)"},
      {"CheckBoxTdry", "Temperature of dry bulb (Tdry)"},
      {"CheckBoxTwet", "Temperature of wet bulb (Twet)"},
      {"CheckBoxRHmean", "Mean relative humidity (RHmean)"},
      {"CheckBoxRHmax", "Maximum relative humidity (RHmax)"},
      {"CheckBoxRHmin", "Minimum relative humidity (RHmin)"},
      {"CheckBoxEa", "Actual vapour pressure (e(act))"},
      {"CheckBoxEs", "Saturation vapour pressure (e(s))"},
      {"CheckBoxEdif", "Vapour pressure deficit ( e(s) - e(act) "},
      {"CheckBoxU", "Wind speed"},
      {"CheckBoxn", "Actual duration of sunshine in a day (n)"},
      {"CheckBoxNmax", "Maximum possible duration of sunshine hours (daylight hours) (N)"},
      {"CheckBoxRa", "Extraterrestrial radiation (Ra)"},
      {"CheckBoxRso", "Clear-sky solar radiation (Rso)"},
      {"CheckBoxRs", "Solar or shortwave radiation (Rs)"},
      {"CheckBoxRns", "Net solar radiation (Rns)"},
      {"CheckBoxRnl", "Net longwave radiation (Rnl)"},
      {"CheckBoxRn", "Net radiation (Rn)"},
      {"CheckBoxLET", "Latent heat flux ( L(ET) )"},
      {"CheckBoxnN", "Relative sunshine duration (n/N)"},
      {"CheckBoxRRatio", "Relative shortwave radiation (Rs/Rso)"},
      {"CheckBoxPM", "TIV Penman-Monteith method"},
  };
  for (const auto& [name, caption] : series) {
    SCOPED_TRACE(name);
    const QString text = Control<QCheckBox>(name)->text();
    EXPECT_TRUE(text.startsWith(QString(caption) + " ...")) << text.toStdString();
  }
  for (const PlotSeriesInfo& info : PlotSeriesTable()) {
    auto* style = Control<QComboBox>(std::string(info.StyleBox).c_str());
    ASSERT_EQ(style->count(), 2);
    EXPECT_EQ(style->itemText(0), " line");
    EXPECT_EQ(style->itemText(1), " bar");
  }
  for (const char* name : {"SpinEditTmin", "SpinEditTmax", "SpinEditRHmax", "SpinEditEmax",
                           "SpinEditUMax", "SpinEditNMax", "SpinEditRMax", "SpinEditETmax"}) {
    auto* spin = Control<QSpinBox>(name);
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->findChild<QLineEdit*>()->isReadOnly()) << name;
  }
  int ranges = 0;
  for (QGroupBox* box : form.findChildren<QGroupBox*>()) ranges += box->title() == " plot range ";
  EXPECT_EQ(ranges, 8);
  bool note = false;
  for (QLabel* label : form.findChildren<QLabel*>()) {
    note = note || label->text().trimmed() == "(radiation and latent heat flux)";
  }
  EXPECT_TRUE(note);
  EXPECT_EQ(Control<QPushButton>("CloseButton")->text(), "Plot");
  EXPECT_EQ(Control<QPushButton>("CancelButton")->text(), "Cancel");
}

TEST_F(PlotMenuFormTest, OpensOnTheGraphAndPlotBuildsTheChoice) {
  Open({101, 102, 103, 501});
  EXPECT_TRUE(Control<QRadioButton>("RadioETo")->isChecked());
  EXPECT_TRUE(Control("EToGroupBox")->isVisible());
  EXPECT_FALSE(Control("TempGroupBox")->isVisible());
  EXPECT_FALSE(Control("CheckBoxH")->isVisible());  // a hidden choice
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxPM")->isChecked());
  EXPECT_EQ(Control<QComboBox>("CBoxET1")->currentText(), " bar");
  EXPECT_FALSE(Control("CheckBoxRHmax")->isEnabled());  // no relative humidity of its own
  EXPECT_TRUE(Control("CheckBoxRHmean")->isEnabled());   // from e(act) and e(s)

  Click("RadioTemp");
  EXPECT_TRUE(Control("TempGroupBox")->isVisible());
  EXPECT_FALSE(Control("EToGroupBox")->isVisible());
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxTmax")->isChecked());
  EXPECT_FALSE(Control("CheckBoxTdry")->isEnabled());
  EXPECT_FALSE(Control("CBoxT5")->isEnabled());
  Click("CheckBoxTmean");
  ChooseBar("CBoxT1");
  ChooseBar("CBoxT3");
  EXPECT_EQ(Control<QComboBox>("CBoxT1")->currentText(), " line");
  // The temperature bounds stay 5 apart.
  Control<QSpinBox>("SpinEditTmin")->setValue(38);
  EXPECT_EQ(Control<QSpinBox>("SpinEditTmax")->value(), 43);
  Control<QSpinBox>("SpinEditTmin")->setValue(-10);

  Click("CloseButton");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  ASSERT_EQ(graph.SeriesCount, 3);
  EXPECT_EQ(graph.Series[0].Quantity, Row::Tmin);
  EXPECT_EQ(graph.Series[0].Style, SeriesStyle::Bar);
  EXPECT_EQ(graph.AxisMinimum, -10);
  EXPECT_EQ(graph.AxisMaximum, 43);
  EXPECT_EQ(GraphTitle(graph), "Temperature");

  // Reopened on the temperature graph.
  Open({101, 102, 103, 501});
  EXPECT_TRUE(Control<QRadioButton>("RadioTemp")->isChecked());
  EXPECT_EQ(Control<QComboBox>("CBoxT3")->currentText(), " bar");
  EXPECT_EQ(Control<QSpinBox>("SpinEditTmax")->value(), 43);
  testing::SaveScreenshot(&form, "TPlotMenuForm");
}

TEST_F(PlotMenuFormTest, CancelAndEscapeLeaveTheGraphEnterPlots) {
  Open({101, 103, 501});
  Click("RadioU");
  Click("CheckBoxU");  // the wind series cannot be unchecked
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxU")->isChecked());
  Click("CancelButton");
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::EToPM);

  Open({101, 103, 501});
  Click("RadioU");
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::EToPM);

  Open({101, 103, 501});
  Click("RadioU");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(graph.Series[0].Quantity, Quantity::U2Star);
  EXPECT_EQ(GraphTitle(graph), "Wind speed");
}

TEST_F(PlotMenuFormTest, TabOrderFollowsTheReadingOrder) {
  Open({101, 103, 501});
  std::vector<QWidget*> chain;
  QWidget* w = &form;
  do {
    chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != &form);
  auto at = [&](const char* name) {
    return std::find(chain.begin(), chain.end(), Control(name)) - chain.begin();
  };
  const char* order[] = {"RadioTemp", "RadioETo",     "CheckBoxTmean", "CBoxT1",
                         "CheckBoxTmax", "SpinEditTmin", "SpinEditTmax", "CheckBoxRHmean",
                         "SpinEditETmax", "CloseButton", "CancelButton"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i - 1] << " before " << order[i];
  }
  EXPECT_TRUE(Control<QPushButton>("CloseButton")->isDefault());
}

}  // namespace
}  // namespace vernoli
