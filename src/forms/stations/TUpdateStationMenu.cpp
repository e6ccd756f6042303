#include "forms/stations/TUpdateStationMenu.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/stations/coordinatefields.h"
#include "kit/formkit.h"
#include "kit/messages.h"
#include "kit/text.h"
#include "model/numbers.h"
#include "stations/appstate.h"

namespace vernoli {

TUpdateStationMenu::TUpdateStationMenu(AppState& state, QWidget* parent)
    : ActivatedForm(parent), state_(state) {
  SetUpForm(*this, "UpdateStationMenu", " Update Station characteristics menu");

  editName_ = ReadOnlyEdit("EditName", this);
  editExtension_ = ReadOnlyEdit("EditExtension", this);
  editExtension_->setText(" DSC");
  editExtension_->setFixedWidth(60);
  stationEdit_ = LineEdit("StationEdit", this);
  countryEdit_ = LineEdit("CountryEdit", this);
  auto* names = new QGridLayout;
  names->addWidget(new QLabel("File", this), 0, 0);
  auto* file = new QHBoxLayout;
  file->addWidget(editName_, 1);
  file->addWidget(editExtension_);
  names->addLayout(file, 0, 1);
  names->addWidget(new QLabel("Station", this), 1, 0);
  names->addWidget(stationEdit_, 1, 1);
  names->addWidget(new QLabel("Country", this), 2, 0);
  names->addWidget(countryEdit_, 2, 1);
  names->setColumnStretch(1, 1);

  coordinates_ = new CoordinateFields(fields::kAltitude, this);
  locationBox_ = new LocationClassesBox(this);
  locationBox_->setObjectName("GroupBoxLocation");

  mainMenuButton_ = Button("MainMenuButton", "Save and Main menu", this);
  cancelButton_ = Button("CancelButton", "Cancel", this);
  QHBoxLayout* buttons = ButtonRow({mainMenuButton_, cancelButton_});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(names);
  layout->addWidget(coordinates_);
  layout->addWidget(locationBox_);
  layout->addLayout(buttons);

  connect(mainMenuButton_, &QPushButton::clicked, this, &TUpdateStationMenu::MainMenuButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  // Escape would lose what was typed.
  SetUpKeys(*this, mainMenuButton_, EscapeKey::Ignored);
}

void TUpdateStationMenu::FormActivate() {
  const RepClimateFile& open = state_.Station;
  update_.emplace(open);
  editName_->setText(FileNameText(open.FileName));
  stationEdit_->setText(FromCp1252(open.StationName));
  countryEdit_->setText(FromCp1252(open.Country));
  coordinates_->SetLocation(open.Latitude, open.Longitude, open.Altitude);
  locationBox_->SetClasses(update_->Classes);
  stationEdit_->setFocus();
}

void TUpdateStationMenu::MainMenuButtonClick() {
  if (!update_) return;
  update_->Latitude = coordinates_->Latitude();
  update_->Longitude = coordinates_->Longitude();
  // The altitude field holds a checked value: the copy takes it as it stands.
  (void)update_->EnterAltitude(FormatInt(coordinates_->Altitude(), 0));
  update_->Classes = locationBox_->Classes();
  const Status saved = update_->Save(ToCp1252(stationEdit_->text()),
                                     ToCp1252(countryEdit_->text()), state_.Station);
  if (!saved) {
    // The station and its file stay as they were; the form stays open.
    ShowMessage(saved.Message);
    return;
  }
  accept();
}

}  // namespace vernoli
