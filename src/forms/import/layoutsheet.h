// The import form's page " Layout  " for a delimited text file: the file's first lines split as
// they are read, the choices of its layout (separator, decimal sign, the date column or the year,
// month and day columns, the order of the date, missing markers, values beyond the limits, and
// for a file of several stations the station column and the one station read), each left to the
// file showing what the reading found, the data type and span its dates give, and per column of
// the file what is proposed, its code and its factor. Each choice goes to the import session, which
// reads the file again; the page then shows what the session holds.
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace vernoli {

class ImportSession;

class LayoutSheet : public QWidget {
  Q_OBJECT
 public:
  explicit LayoutSheet(QWidget* parent = nullptr);

  // The session the choices go to; it outlives the page.
  void Bind(ImportSession& session) { session_ = &session; }
  // Everything the page shows, from the session; does not signal.
  void Show();

 signals:
  // After every choice the user made (the file was read again).
  void Changed();

 private:
  void ShowPreview();
  void ShowChoices();
  // Rebuilds the column rows when the file's columns changed, else updates them in place (a
  // factor field is never deleted while it commits).
  void ShowColumns();
  // Shows the session's message, if any, then the page, and tells the form.
  void Done(const std::string& message);
  void SeparatorChosen(int index);
  void DecimalChosen(int index);
  void DateColumnChosen(int index);
  // One of the year, month and day columns was chosen.
  void DatePartChosen();
  void DateOrderChosen(int index);
  void StationColumnChosen(int index);
  void StationChosen(int index);
  bool CommitMarkers();
  void BeyondChosen(int index);
  void CodeChosen(int column, int index);
  bool CommitFactor(int column, QLineEdit* edit);

  ImportSession* session_ = nullptr;
  QTableWidget* previewGrid_;
  QComboBox* separatorBox_;
  QComboBox* decimalBox_;
  QComboBox* dateColumnBox_;
  QComboBox* yearColumnBox_;
  QComboBox* monthColumnBox_;
  QComboBox* dayColumnBox_;
  QComboBox* dateOrderBox_;
  QLineEdit* markersEdit_;
  QComboBox* beyondBox_;
  QComboBox* stationColumnBox_;
  QComboBox* stationBox_;
  QLineEdit* dataTypeEdit_;
  QLineEdit* spanEdit_;
  QTableWidget* columnGrid_;
  QStringList columnNames_;  // the names of the rows of columnGrid_
};

}  // namespace vernoli
