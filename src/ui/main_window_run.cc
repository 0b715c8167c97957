// frmOrvanta as the engine's user interface: the controls read into and
// written from the options model, the create button's run, and the
// progress, report, pointer and abort calls the run makes.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/progress_window.h"
#include "ui/show_text_window.h"

namespace orvanta {
namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

void SetText(QLineEdit* box, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (box->text() != value) box->setText(value);
}

}  // namespace

OptionControls FrmOrvanta::ReadControls() {
  OptionControls c;
  c.input_folder = Text(txt_input_folder_);
  c.index_template_file = Text(txt_index_template_file_);
  c.picture_template_file = Text(txt_picture_template_file_);
  c.directory_info_file = Text(txt_directory_info_file_);
  c.overwrite_existing_files = CheckBoxValue(chk_overwrite_existing_files_);
  c.recurse_subfolders = CheckBoxValue(chk_recurse_sub_folders_);
  c.thumbnails_per_row = Text(txt_thumbnails_per_row_);
  c.thumbnail_maximum_width_or_height =
      Text(txt_thumbnail_maximum_width_or_height_);
  c.create_thumbnails_index = cbo_create_thumbnails_->currentIndex();
  c.thumbnail_file_prefix = Text(txt_thumbnail_file_prefix_);
  c.movie_file_thumbnail_extension = Text(txt_movie_file_thumbnail_extension_);
  c.picture_file_extensions = Text(txt_picture_file_extensions_);
  c.movie_file_extensions = Text(txt_movie_file_extensions_);
  c.include_picture_files = CheckBoxValue(chk_include_picture_files_);
  c.include_movie_files = CheckBoxValue(chk_include_movie_files_);
  c.include_keyboard_navigation =
      CheckBoxValue(chk_include_javascript_nav_functions_);
  c.include_mid_size_picture = CheckBoxValue(chk_include_mid_size_picture_);
  c.target_screen_resolution_index =
      cbo_target_screen_resolution_->currentIndex();
  c.use_irfanview = CheckBoxValue(chk_use_irfanview_);
  c.irfanview_path = Text(txt_irfanview_path_);
  c.create_movie_thumbnails = CheckBoxValue(chk_create_movie_thumbnails_);
  return c;
}

void FrmOrvanta::WriteControls(const OptionControls& c) {
  SetText(txt_input_folder_, c.input_folder);
  SetText(txt_index_template_file_, c.index_template_file);
  SetText(txt_picture_template_file_, c.picture_template_file);
  SetText(txt_directory_info_file_, c.directory_info_file);
  SetCheckBoxValue(chk_overwrite_existing_files_, c.overwrite_existing_files);
  SetCheckBoxValue(chk_recurse_sub_folders_, c.recurse_subfolders);
  SetText(txt_thumbnails_per_row_, c.thumbnails_per_row);
  SetText(txt_thumbnail_maximum_width_or_height_,
          c.thumbnail_maximum_width_or_height);
  cbo_create_thumbnails_->setCurrentIndex(c.create_thumbnails_index);
  SetText(txt_thumbnail_file_prefix_, c.thumbnail_file_prefix);
  SetText(txt_movie_file_thumbnail_extension_,
          c.movie_file_thumbnail_extension);
  SetText(txt_picture_file_extensions_, c.picture_file_extensions);
  SetText(txt_movie_file_extensions_, c.movie_file_extensions);
  SetCheckBoxValue(chk_include_picture_files_, c.include_picture_files);
  SetCheckBoxValue(chk_include_movie_files_, c.include_movie_files);
  SetCheckBoxValue(chk_include_javascript_nav_functions_,
                   c.include_keyboard_navigation);
  SetCheckBoxValue(chk_include_mid_size_picture_, c.include_mid_size_picture);
  cbo_target_screen_resolution_->setCurrentIndex(
      c.target_screen_resolution_index);
  SetCheckBoxValue(chk_use_irfanview_, c.use_irfanview);
  SetText(txt_irfanview_path_, c.irfanview_path);
  SetCheckBoxValue(chk_create_movie_thumbnails_, c.create_movie_thumbnails);
}

void FrmOrvanta::CreateOrvanta() {
  // A second click while a run yields would start a nested run over the
  // same state; the commands are disabled, and this guards the rest.
  if (run_in_progress_) return;
  run_in_progress_ = true;
  SetRunCommandsEnabled(false);
  RunOutcome outcome = RunOutcome::kFailed;
  try {
    outcome = CreateGallery(*this, app_->fs(), app_->program(),
                            app_->image_tool_factory(), app_->run_settings());
  } catch (const std::exception& error) {
    ShowMessage(MessageBox{
        "Error", std::string("Error Creating Photo Gallery: ") + error.what(),
        Buttons::kOk, Icon::kWarning, 1});
  }
  // Whatever ended the run, the progress window goes and the pointer is
  // restored (an unexpected error would otherwise leave both behind).
  FrmProgress& progress = app_->progress();
  if (progress.TaskInProgress() || progress.isVisible()) {
    progress.HideForm(true);
  }
  SetBusy(false);
  last_outcome_ = outcome;
  run_in_progress_ = false;
  SetRunCommandsEnabled(true);
}

void FrmOrvanta::SetRunCommandsEnabled(bool enabled) {
  cmd_create_orvanta_->setEnabled(enabled);
  mnu_save_default_options_->setEnabled(enabled);
  mnu_restore_default_options_->setEnabled(enabled);
}

bool FrmOrvanta::progress_suppressed() const { return app_->shutting_down(); }

Answer FrmOrvanta::ShowMessage(const MessageBox& box) {
  // While the program closes, a run still going ends quietly.
  if (app_->shutting_down()) return ClosedAnswer(box);
  return ShowMessageBox(this, box);
}

void FrmOrvanta::InitializeForm(const std::string& task, int32_t minimum,
                                int32_t maximum, bool show_time_stats,
                                bool show_subtask, bool show_pause_button) {
  if (progress_suppressed()) return;
  app_->progress().InitializeForm(task, minimum, maximum, show_time_stats,
                                  show_subtask, show_pause_button);
}

void FrmOrvanta::InitializeSubtask(const std::string& subtask, int32_t minimum,
                                   int32_t maximum) {
  if (progress_suppressed()) return;
  app_->progress().InitializeSubtask(subtask, minimum, maximum);
}

void FrmOrvanta::UpdateProgressBar(double value, bool reset_start_time) {
  if (progress_suppressed()) return;
  app_->progress().UpdateProgressBar(value, reset_start_time);
}

void FrmOrvanta::UpdateSubtaskProgressBar(double value,
                                          bool fractionally_increase_overall) {
  if (progress_suppressed()) return;
  app_->progress().UpdateSubtaskProgressBar(value,
                                            fractionally_increase_overall);
}

void FrmOrvanta::UpdateCurrentTask(const std::string& task) {
  if (progress_suppressed()) return;
  app_->progress().UpdateCurrentTask(task);
}

void FrmOrvanta::UpdateCurrentSubTask(const std::string& subtask) {
  if (progress_suppressed()) return;
  app_->progress().UpdateCurrentSubTask(subtask);
}

void FrmOrvanta::HideForm(bool reset_abort) {
  if (progress_suppressed()) return;
  app_->progress().HideForm(reset_abort);
}

void FrmOrvanta::ShowReport(const std::string& text) {
  if (progress_suppressed()) return;
  ShowTextReport(this, text);
}

void FrmOrvanta::SetBusy(bool busy) {
  if (busy) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void FrmOrvanta::KeepAlive() { QCoreApplication::processEvents(); }

int FrmOrvanta::KeyPressAbortProcess() {
  if (app_->shutting_down()) return kAbortRequested;
  return app_->key_press_abort_process();
}

void FrmOrvanta::SetKeyPressAbortProcess(int value) {
  app_->key_press_abort_process() = value;
}

void FrmOrvanta::SetIndexTemplateFile(const std::string& name) {
  SetText(txt_index_template_file_, name);
}

void FrmOrvanta::SetPictureTemplateFile(const std::string& name) {
  SetText(txt_picture_template_file_, name);
}

}  // namespace orvanta
