// The create form: a new station with an empty data set (new-file mode, from the main menu), or
// a copy of the selected station under a new name (copy mode, from the select form). Either way
// the new station becomes the selected one and the workspace opens on it.
#pragma once

#include "kit/activatedform.h"

#include <array>

#include "stations/newstation.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vernoli {

struct AppState;
class Navigator;
class CheckedEdit;
class CoordinateFields;
class DataTypeBox;
class LocationClassesBox;
class SpanBox;
class SpanEditor;
class SpanPanel;

enum class CreateMode { NewFile, Copy };

class TCreateMenu : public ActivatedForm {
  Q_OBJECT
 public:
  TCreateMenu(AppState& state, Navigator& navigator, QWidget* parent = nullptr);

  // The mode of the next opening; the opener sets it before showing the form.
  void SetMode(CreateMode mode);
  CreateMode Mode() const { return mode_; }
  // True when the last opening made a station (both files written).
  bool Created() const { return created_; }

 private:
  void FormActivate() override;
  void ShowNewFile();
  void ShowCopy();
  void CreateButtonClick();
  void OpenWorkspace();

  AppState& state_;
  Navigator& navigator_;
  CreateMode mode_ = CreateMode::NewFile;
  bool created_ = false;
  NewStationInput input_;  // the entries of new-file mode

  QLineEdit* editName_;
  QLineEdit* newNameEdit_;
  QLabel* newNameLabel_;
  QWidget* newNameShape_;
  QWidget* newNameShape2_;
  QLineEdit* stationEdit_;
  QLineEdit* countryEdit_;
  DataTypeBox* climDataBox_;
  SpanBox* timeRangeBox_;
  SpanEditor* span_;
  CoordinateFields* coordinates_;
  LocationClassesBox* groupBoxExtra_;
  // Copy mode.
  QGroupBox* coorCopyPanel_;
  QLabel* latLabel_;
  QLabel* longLabel_;
  QLabel* altLabel_;
  QGroupBox* typePanel_;
  QLabel* typeLabel_;
  SpanPanel* groupBoxTimeCopy_;
  QPushButton* createButton_;
  QPushButton* cancelButton_;
};

}  // namespace vernoli
