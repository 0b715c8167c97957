// frmOrvanta: the program's working window. It holds every run option in
// its controls, lets the person pick the input folder, save or restore the
// default options, write an example folder information file and start a
// gallery run; it is also the engine's user interface during a run.
// Closing it ends the program.
#ifndef ORVANTA_UI_MAIN_WINDOW_H_
#define ORVANTA_UI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <string>

#include "engine/gallery_run.h"
#include "engine/user_interface.h"
#include "options/options.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvanta {

class DesktopApp;
class OptionCheckBox;

class FrmOrvanta : public QMainWindow, public UserInterface {
 public:
  // Loads the window (controls, lists, size and place); it stays hidden
  // until start-up shows it.
  explicit FrmOrvanta(DesktopApp* app);

  // --- The option controls as a model.
  OptionControls ReadControls() override;
  // Puts the values into the controls; their change handlers follow.
  void WriteControls(const OptionControls& controls);

  // --- Commands of the window.
  void SelectInputFolder();
  void CreateOrvanta();  // the create button
  void SaveDefaultOptions();
  void RestoreDefaultOptions();
  void CreateFolderInfoFileExample();
  void ShowAboutBox();

  bool run_in_progress() const { return run_in_progress_; }
  RunOutcome last_outcome() const { return last_outcome_; }
  // The window's outer height in twips.
  int OuterHeightTwips() const;

  // --- UserInterface.
  Answer ShowMessage(const MessageBox& box) override;
  void InitializeForm(const std::string& task, int32_t minimum, int32_t maximum,
                      bool show_time_stats, bool show_subtask,
                      bool show_pause_button) override;
  void InitializeSubtask(const std::string& subtask, int32_t minimum,
                         int32_t maximum) override;
  void UpdateProgressBar(double value, bool reset_start_time) override;
  void UpdateSubtaskProgressBar(double value,
                                bool fractionally_increase_overall) override;
  void UpdateCurrentTask(const std::string& task) override;
  void UpdateCurrentSubTask(const std::string& subtask) override;
  void HideForm(bool reset_abort) override;
  void ShowReport(const std::string& text) override;
  void SetBusy(bool busy) override;
  void KeepAlive() override;
  int KeyPressAbortProcess() override;
  void SetKeyPressAbortProcess(int value) override;
  void SetIndexTemplateFile(const std::string& name) override;
  void SetPictureTemplateFile(const std::string& name) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Layout (main_window_layout.cc).
  void CreateControls();
  void CreateMenus();
  void SetTabOrder();
  void ConnectHandlers();
  // Handlers (main_window_handlers.cc).
  void BindTextBoxRules();
  void PopulateComboBoxes();
  void UpdateTargetResolutionEnabled();
  void ShowHideIrfanviewPath();
  void UpdateOverwriteCaption();
  void SetRunCommandsEnabled(bool enabled);
  bool progress_suppressed() const;

  DesktopApp* app_;
  bool run_in_progress_ = false;
  bool frame_known_ = false;
  RunOutcome last_outcome_ = RunOutcome::kStopped;

  QLabel* lbl_directions_ = nullptr;
  QPushButton* cmd_select_source_folder_ = nullptr;
  QLineEdit* txt_input_folder_ = nullptr;
  QGroupBox* fra_file_options_ = nullptr;
  QLineEdit* txt_index_template_file_ = nullptr;
  QLineEdit* txt_picture_template_file_ = nullptr;
  QLineEdit* txt_directory_info_file_ = nullptr;
  OptionCheckBox* chk_overwrite_existing_files_ = nullptr;
  OptionCheckBox* chk_recurse_sub_folders_ = nullptr;
  QPushButton* cmd_create_orvanta_ = nullptr;
  QGroupBox* fra_thumbnail_options_ = nullptr;
  QLineEdit* txt_thumbnails_per_row_ = nullptr;
  QLineEdit* txt_thumbnail_maximum_width_or_height_ = nullptr;
  QComboBox* cbo_create_thumbnails_ = nullptr;
  QLineEdit* txt_thumbnail_file_prefix_ = nullptr;
  QLineEdit* txt_movie_file_thumbnail_extension_ = nullptr;
  OptionCheckBox* chk_use_irfanview_ = nullptr;
  OptionCheckBox* chk_create_movie_thumbnails_ = nullptr;
  QGroupBox* fra_image_file_options_ = nullptr;
  OptionCheckBox* chk_include_picture_files_ = nullptr;
  QLineEdit* txt_picture_file_extensions_ = nullptr;
  OptionCheckBox* chk_include_movie_files_ = nullptr;
  QLineEdit* txt_movie_file_extensions_ = nullptr;
  QGroupBox* fra_options_ = nullptr;
  OptionCheckBox* chk_include_javascript_nav_functions_ = nullptr;
  OptionCheckBox* chk_include_mid_size_picture_ = nullptr;
  QComboBox* cbo_target_screen_resolution_ = nullptr;
  QLabel* lbl_irfanview_path_ = nullptr;
  QLineEdit* txt_irfanview_path_ = nullptr;

  QAction* mnu_select_folder_ = nullptr;
  QAction* mnu_save_default_options_ = nullptr;
  QAction* mnu_restore_default_options_ = nullptr;
  QAction* mnu_create_folder_info_file_example_ = nullptr;
  QAction* mnu_exit_ = nullptr;
  QAction* mnu_about_ = nullptr;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_MAIN_WINDOW_H_
