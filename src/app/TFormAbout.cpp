#include "app/TFormAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "kit/formkit.h"

namespace vernoli {

namespace {

QWidget* Page(const QString& objectName, const QString& text) {
  auto* label = Label(objectName, text, nullptr);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label->setMargin(12);
  return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("FormAbout");
  setWindowTitle(" About Vernoli");
  setModal(true);

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl");
  pages_->addTab(Page("VersionLabel",
                      "Vernoli, version " VERNOLI_VERSION "\n\n"
                      "Reference crop evapotranspiration (ETo) from the climatic data of one station "
                      "at a time, by the Penman-Monteith method."),
                 "Version");
  pages_->addTab(Page("DevelopmentLabel",
                      "Developed by the Vernoli developers.\n\n"
                      "Written in C++ with Qt."),
                 "Development");
  pages_->addTab(Page("DisclaimerLabel",
                      "Vernoli is provided as it is, without warranty of any kind. Check the data "
                      "and the results before you rely on them."),
                 "Disclaimer");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName("ButtonBox");
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName("OKButton");
  ok->setFocus();
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  resize(460, 300);
}

}  // namespace vernoli
