// frmOrvanta's controls read into and written from the options model, and
// the create button's run.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/progress_window.h"

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
  c.create_mid_size_files = CheckBoxValue(chk_create_mid_size_files_);
  c.sort_by_date_taken = CheckBoxValue(chk_sort_by_date_taken_);
  c.mid_size_file_prefix = mid_size_file_prefix_;
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
  SetCheckBoxValue(chk_create_mid_size_files_, c.create_mid_size_files);
  SetCheckBoxValue(chk_sort_by_date_taken_, c.sort_by_date_taken);
  mid_size_file_prefix_ = c.mid_size_file_prefix;
}

void FrmOrvanta::CreateOrvanta() {
  // A second click while a run yields would start a nested run over the
  // same state; the commands are disabled, and this guards the rest.
  if (run_in_progress_) return;
  run_in_progress_ = true;
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
