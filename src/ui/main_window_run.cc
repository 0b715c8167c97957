// frmOrvanta's option controls, found by the keys they carry, read into
// and written from the options model; and the create button's run.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "options/option_table.h"
#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/progress_window.h"

namespace orvanta {
namespace {

void SetText(QLineEdit* box, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (box->text() != value) box->setText(value);
}

}  // namespace

void FrmOrvanta::BindOptionControls() {
  for (QWidget* control : findChildren<QWidget*>()) {
    const QString key = control->property(kOptionKeyProperty).toString();
    if (key.isEmpty()) continue;
    const OptionRow* row = FindOption(key.toStdString());
    // A text box holds a text option, a check box or list a value.
    if (row == nullptr || (qobject_cast<QLineEdit*>(control) != nullptr) !=
                              (row->text != nullptr)) {
      qFatal("%s shows no option of its kind", qPrintable(key));
    }
    option_controls_.emplace_back(row, control);
  }
}

OptionControls FrmOrvanta::ReadControls() {
  OptionControls c = kept_options_;
  for (const auto& [row, control] : option_controls_) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      c.*row->text = box->text().toStdString();
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
      c.*row->value = CheckBoxValue(check);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      c.*row->value = list->currentIndex();
    }
  }
  return c;
}

void FrmOrvanta::WriteControls(const OptionControls& c) {
  kept_options_ = c;
  for (const auto& [row, control] : option_controls_) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      SetText(box, c.*row->text);
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
      SetCheckBoxValue(check, c.*row->value);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentIndex(c.*row->value);
    }
  }
  ShowPageStyle(ChosenPageStyle(c));
}

void FrmOrvanta::ShowPageStyle(const PageStyle& style) {
  cbo_page_style_->setCurrentIndex(
      static_cast<int>(&style - PageStyles().data()));
}

void FrmOrvanta::CreateOrvanta() {
  // A second click while a run yields would start a nested run over the
  // same state; the commands are disabled, and this guards the rest.
  if (run_in_progress_) return;
  run_in_progress_ = true;
  // Disabled with the focus, the button would hand it on to the next box
  // with all its text selected, for the next key to replace.
  if (cmd_create_orvanta_->hasFocus()) cmd_create_orvanta_->clearFocus();
  SetRunCommandsEnabled(false);
  RunSettings settings = app_->run_settings();
  settings.controls = ReadControls();
  settings.program_folder = app_->program_folder();
  FrmProgress& progress = app_->progress();
  const RunResult result =
      CreateGallery(progress, app_->fs(), settings, app_->image_tool_factory());
  // A template that was missing is shown by the default name it fell back
  // to.
  if (result.index_template_reset) {
    SetText(txt_index_template_file_, kDefaultIndexTemplate);
  }
  if (result.picture_template_reset) {
    SetText(txt_picture_template_file_, kDefaultPictureTemplate);
  }
  // Whatever ended the run, the progress window goes and the pointer is
  // restored.
  if (progress.TaskInProgress() || progress.isVisible()) {
    progress.HideForm(true);
  }
  unsetCursor();
  last_outcome_ = result.outcome;
  run_in_progress_ = false;
  SetRunCommandsEnabled(true);
  cmd_create_orvanta_->setFocus(Qt::OtherFocusReason);
}

void FrmOrvanta::SetRunCommandsEnabled(bool enabled) {
  cmd_create_orvanta_->setEnabled(enabled);
  mnu_save_default_options_->setEnabled(enabled);
  mnu_restore_default_options_->setEnabled(enabled);
}

Answer FrmOrvanta::ShowMessage(const MessageBox& box) {
  return ShowMessageBox(this, box);
}

}  // namespace orvanta
