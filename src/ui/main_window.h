// frmOrvanta: the program's working window. It holds every run option in
// its controls, lets the person pick the input folder, save or restore the
// default options, write an example folder information file and start a
// gallery run, which takes the controls as they stand then and talks to
// the person through the progress window. Closing it ends the program.
#ifndef ORVANTA_UI_MAIN_WINDOW_H_
#define ORVANTA_UI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <string>
#include <utility>
#include <vector>

#include "engine/gallery_run.h"
#include "engine/styles/page_style.h"
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
struct OptionRow;

// The property of an option control that holds the option's key.
inline constexpr char kOptionKeyProperty[] = "optionKey";

class FrmOrvanta : public QMainWindow {
 public:
  // Loads the window (controls, lists, size and place); it stays hidden
  // until start-up shows it.
  explicit FrmOrvanta(DesktopApp* app);

  // --- The option controls as a model.
  OptionControls ReadControls();
  // Puts the values into the controls; their change handlers follow.
  void WriteControls(const OptionControls& controls);
  // Shows `style` as the chosen one in the style list.
  void ShowPageStyle(const PageStyle& style);

  // --- Commands of the window.
  void SelectInputFolder();
  void SelectOutputFolder();
  void CreateOrvanta();  // the create button
  void SaveDefaultOptions();
  void RestoreDefaultOptions();
  void CreateFolderInfoFileExample();
  void ShowAboutBox();

  RunOutcome last_outcome() const { return last_outcome_; }
  // The window's outer height in twips.
  int OuterHeightTwips() const;

  // Shows a message box over this window.
  Answer ShowMessage(const MessageBox& box);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Layout (main_window_layout.cc).
  void CreateControls();
  void CreateFileOptions(QWidget* form);
  void CreateThumbnailOptions(QWidget* form);
  void CreateImageOptions(QWidget* form);
  void CreateOutputOptions(QWidget* form);
  void CreatePublishingOptions(QWidget* form);
  void CreateMenus();
  void SetTabOrder();
  void ConnectHandlers();
  // Finds the option controls by their key (main_window_run.cc).
  void BindOptionControls();
  // Handlers (main_window_handlers.cc).
  void BindTextBoxRules();
  void PopulateComboBoxes();
  void UpdateTargetResolutionEnabled();
  void ShowHideIrfanviewPath();
  void UpdateOverwriteCaption();
  void UpdateRemoveStaleEnabled();
  void SetRunCommandsEnabled(bool enabled);

  DesktopApp* app_;
  bool run_in_progress_ = false;
  bool escape_closed_a_list_ = false;
  bool frame_known_ = false;
  RunOutcome last_outcome_ = RunOutcome::kStopped;

  QLabel* lbl_directions_ = nullptr;
  QPushButton* cmd_select_source_folder_ = nullptr;
  QLineEdit* txt_input_folder_ = nullptr;
  QGroupBox* fra_file_options_ = nullptr;
  QComboBox* cbo_page_style_ = nullptr;
  QLineEdit* txt_index_template_file_ = nullptr;
  QLineEdit* txt_picture_template_file_ = nullptr;
  QLineEdit* txt_directory_info_file_ = nullptr;
  OptionCheckBox* chk_overwrite_existing_files_ = nullptr;
  OptionCheckBox* chk_recurse_sub_folders_ = nullptr;
  QPushButton* cmd_create_orvanta_ = nullptr;
  QLineEdit* txt_gallery_address_ = nullptr;
  QGroupBox* fra_thumbnail_options_ = nullptr;
  QLineEdit* txt_thumbnails_per_row_ = nullptr;
  QLineEdit* txt_thumbnail_maximum_width_or_height_ = nullptr;
  QComboBox* cbo_create_thumbnails_ = nullptr;
  QLineEdit* txt_thumbnail_file_prefix_ = nullptr;
  QLineEdit* txt_movie_file_thumbnail_extension_ = nullptr;
  QLineEdit* txt_pictures_per_page_ = nullptr;
  OptionCheckBox* chk_use_irfanview_ = nullptr;
  OptionCheckBox* chk_create_movie_thumbnails_ = nullptr;
  OptionCheckBox* chk_create_web_videos_ = nullptr;
  QGroupBox* fra_image_file_options_ = nullptr;
  OptionCheckBox* chk_include_picture_files_ = nullptr;
  QLineEdit* txt_picture_file_extensions_ = nullptr;
  OptionCheckBox* chk_include_movie_files_ = nullptr;
  QLineEdit* txt_movie_file_extensions_ = nullptr;
  QGroupBox* fra_options_ = nullptr;
  OptionCheckBox* chk_include_javascript_nav_functions_ = nullptr;
  OptionCheckBox* chk_include_mid_size_picture_ = nullptr;
  QComboBox* cbo_target_screen_resolution_ = nullptr;
  OptionCheckBox* chk_create_mid_size_files_ = nullptr;
  OptionCheckBox* chk_sort_by_date_taken_ = nullptr;
  QPushButton* cmd_select_output_folder_ = nullptr;
  QLineEdit* txt_output_folder_ = nullptr;
  OptionCheckBox* chk_remove_location_ = nullptr;
  OptionCheckBox* chk_remove_stale_files_ = nullptr;
  OptionCheckBox* chk_album_downloads_ = nullptr;
  // The option controls with their rows, and the values last written of
  // the options without a control of their own, kept for saving.
  std::vector<std::pair<const OptionRow*, QWidget*>> option_controls_;
  OptionControls kept_options_;
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
