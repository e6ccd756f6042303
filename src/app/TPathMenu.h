// The path form: the user moves the data folder with a drive list and a folder tree.
// It has no close box: "OK" is the only way out.
#pragma once

#include <string>

#include "kit/activatedform.h"

class QPushButton;

namespace vernoli {

struct AppState;
class FolderBrowser;

class TPathMenu : public ActivatedForm {
  Q_OBJECT
 public:
  explicit TPathMenu(AppState& state, QWidget* parent = nullptr);

  // The folder chosen in the tree (no '/' at the end, except for the root).
  QString Directory() const;
  // Opens `folder` in the tree: its parents above it, its subfolders below it.
  void SetDirectory(const QString& folder);

  // Neither Escape nor the window manager closes the form.
  void reject() override {}

 private:
  void FormActivate() override;
  void OKButtonClick();

  AppState& state_;
  std::string rememberedFolder_;  // the data folder when the form was opened

  FolderBrowser* folders_;
  QPushButton* okButton_;
};

}  // namespace vernoli
