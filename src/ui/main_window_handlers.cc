// frmOrvanta's loading and event handlers: the lists, the dependent
// captions, enabled states and window height, the key filter and focus
// rules of the text boxes, the menu commands and closing the program.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <exception>
#include <memory>
#include <utility>

#include "common/conversions.h"
#include "common/error.h"
#include "common/key_filter.h"
#include "common/path_utils.h"
#include "options/option_table.h"
#include "options/options_file.h"
#include "ui/about_box.h"
#include "ui/check_box.h"
#include "ui/desktop_app.h"
#include "ui/fit_text.h"
#include "ui/folder_picker.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "ui/text_box_rules.h"
#include "ui/window_placement.h"

namespace orvanta {
namespace {

// The window's outer height in twips, without and with the converter's
// path box below the frames.
constexpr int kDesignHeight = 9100;
constexpr int kDesignHeightWithPath = 9600;

constexpr char kOverwriteHtmlCaption[] =
    "&Overwrite Existing Html Files Without Confirmation";
constexpr char kOverwriteAllCaption[] =
    "&Overwrite Existing Html and Thumbnail Files w/o Confirmation";

}  // namespace

FrmOrvanta::FrmOrvanta(DesktopApp* app) : app_(app) {
  setObjectName(QStringLiteral("frmOrvanta"));
  setWindowTitle(QStringLiteral("Orvanta Cataloger"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  // The design font is MS Sans Serif 8.25 pt; Arial-metric faces come
  // closest where it is missing.
  QFont small = font();
  small.setFamilies({QStringLiteral("MS Sans Serif"),
                     QStringLiteral("Microsoft Sans Serif"),
                     QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                     QStringLiteral("Nimbus Sans"), small.family()});
  small.setPointSizeF(8.25);
  setFont(small);
  CreateControls();
  CreateMenus();
  SetTabOrder();
  BindOptionControls();
  BindTextBoxRules();
  ConnectHandlers();
  resize(TwipsToPixels(8655),
         TwipsToPixels(8670) + menuBar()->sizeHint().height());
  // Load.
  SizeAndCenterWindow(this, kUpperThird, 8800, kDesignHeight, true,
                      kCurrentMonitor);
  PopulateComboBoxes();
  WriteControls(OptionControls());  // the design values
  FitTextsToFont(this);
  ShowHideIrfanviewPath();
  UpdateTargetResolutionEnabled();
  UpdateRemoveStaleEnabled();
}

void FrmOrvanta::ConnectHandlers() {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setObjectName(QStringLiteral("escapeExits"));
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    // Escape in an open drop-down list closes only the list, whether the
    // list has seen the key first or not.
    if (std::exchange(escape_closed_a_list_, false)) return;
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
      return;
    }
    close();
  });
  for (QComboBox* list :
       {cbo_create_thumbnails_, cbo_target_screen_resolution_}) {
    list->view()->installEventFilter(this);
  }
  connect(cmd_select_source_folder_, &QPushButton::clicked, this,
          [this] { SelectInputFolder(); });
  connect(mnu_select_folder_, &QAction::triggered, this,
          [this] { SelectInputFolder(); });
  connect(cmd_create_orvanta_, &QPushButton::clicked, this,
          [this] { CreateOrvanta(); });
  connect(cmd_select_output_folder_, &QPushButton::clicked, this,
          [this] { SelectOutputFolder(); });
  connect(txt_output_folder_, &QLineEdit::textChanged, this,
          [this] { UpdateRemoveStaleEnabled(); });
  // Choosing a style sets what the style needs; a template box that names
  // a style's template chooses that style.
  connect(cbo_page_style_, &QComboBox::activated, this, [this](int index) {
    OptionControls controls = ReadControls();
    ApplyPageStyle(PageStyles()[index], &controls);
    WriteControls(controls);
  });
  connect(txt_index_template_file_, &QLineEdit::textChanged, this,
          [this](const QString& text) {
            const PageStyle* own = StyleOfTemplate(text.toStdString());
            if (own == nullptr) return;
            kept_options_.page_style = own->name;
            ShowPageStyle(*own);
          });
  connect(cbo_create_thumbnails_, &QComboBox::currentIndexChanged, this,
          [this] { UpdateOverwriteCaption(); });
  connect(chk_include_mid_size_picture_, &QCheckBox::stateChanged, this,
          [this] { UpdateTargetResolutionEnabled(); });
  connect(chk_use_irfanview_, &QCheckBox::stateChanged, this, [this] {
    ShowHideIrfanviewPath();
    UpdateTargetResolutionEnabled();
  });
  connect(mnu_save_default_options_, &QAction::triggered, this,
          [this] { SaveDefaultOptions(); });
  connect(mnu_restore_default_options_, &QAction::triggered, this,
          [this] { RestoreDefaultOptions(); });
  connect(mnu_create_folder_info_file_example_, &QAction::triggered, this,
          [this] { CreateFolderInfoFileExample(); });
  connect(mnu_exit_, &QAction::triggered, this, [this] { close(); });
  connect(mnu_about_, &QAction::triggered, this, [this] { ShowAboutBox(); });
}

bool FrmOrvanta::eventFilter(QObject* watched, QEvent* event) {
  // A list's view sees the key (as a shortcut override) while the list
  // is open; the list closes on it, and the window's Escape must not
  // follow.
  if ((event->type() == QEvent::ShortcutOverride ||
       event->type() == QEvent::KeyPress) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    escape_closed_a_list_ = true;  // for this key only
    QTimer::singleShot(0, this, [this] { escape_closed_a_list_ = false; });
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmOrvanta::BindTextBoxRules() {
  for (const auto& [option, control] : option_controls_) {
    auto* box = qobject_cast<QLineEdit*>(control);
    if (box == nullptr) continue;
    if (option->rule == OptionRule::kFileName) {
      BindKeyFilter(box, FileNameKeyFlags());
    } else if (option->rule == OptionRule::kNumber) {
      BindKeyFilter(box, DigitsOnlyKeyFlags());
    }
    OnFocusLeave(box, [box, row = option] {
      const QString text =
          QString::fromStdString(TextOnLeave(*row, box->text().toStdString()));
      if (text != box->text()) box->setText(text);
    });
  }
}

void FrmOrvanta::PopulateComboBoxes() {
  cbo_create_thumbnails_->clear();
  cbo_create_thumbnails_->addItems(
      {QStringLiteral("Do not create thumbnails"),
       QStringLiteral("Create new thumbnails for files without them"),
       QStringLiteral("Create new thumbnails for all files")});
  cbo_target_screen_resolution_->clear();
  for (int i = 0; i < kTargetScreenCount; ++i) {
    cbo_target_screen_resolution_->addItem(
        QString::fromStdString(TargetScreenName(i)));
  }
}

void FrmOrvanta::UpdateTargetResolutionEnabled() {
  const bool mid_size =
      CheckBoxValue(chk_include_mid_size_picture_) != kUnchecked;
  cbo_target_screen_resolution_->setEnabled(mid_size);
  // The converter makes thumbnails only, no copies.
  chk_create_mid_size_files_->setEnabled(
      mid_size && !CheckboxToBoolean(CheckBoxValue(chk_use_irfanview_)));
}

void FrmOrvanta::ShowHideIrfanviewPath() {
  const bool use = CheckboxToBoolean(CheckBoxValue(chk_use_irfanview_));
  // The designed size is also the least: no control may be cut off.
  setMinimumSize(0, 0);
  SetOuterSizeTwips(this, 0, use ? kDesignHeightWithPath : kDesignHeight);
  setMinimumSize(size());
  txt_irfanview_path_->setVisible(use);
  lbl_irfanview_path_->setVisible(txt_irfanview_path_->isVisibleTo(this));
}

// With an output folder, stale files are always removed there.
void FrmOrvanta::UpdateRemoveStaleEnabled() {
  chk_remove_stale_files_->setEnabled(txt_output_folder_->text().isEmpty());
}

void FrmOrvanta::UpdateOverwriteCaption() {
  chk_overwrite_existing_files_->setText(QLatin1String(
      cbo_create_thumbnails_->currentIndex() < 2 ? kOverwriteHtmlCaption
                                                 : kOverwriteAllCaption));
  FitTextToFont(chk_overwrite_existing_files_);
}

int FrmOrvanta::OuterHeightTwips() const {
  return PixelsToTwips(frameGeometry().height());
}

void FrmOrvanta::SelectInputFolder() {
  std::string start = txt_input_folder_->text().toStdString();
  const std::string folder =
      BrowseForFolder(this, &start, "Select Input Folder");
  if (!folder.empty())
    txt_input_folder_->setText(QString::fromStdString(folder));
}

void FrmOrvanta::SelectOutputFolder() {
  std::string start = txt_output_folder_->text().toStdString();
  if (start.empty()) start = txt_input_folder_->text().toStdString();
  const std::string folder =
      BrowseForFolder(this, &start, "Select Output Folder");
  if (!folder.empty())
    txt_output_folder_->setText(QString::fromStdString(folder));
}

void FrmOrvanta::SaveDefaultOptions() {
  // The lists the boxes show, not those the last run or load left in the
  // table: a saved file must bring back what the person sees.
  const OptionControls controls = ReadControls();
  ExtensionTable shown;
  shown.AddExtensionList(controls.picture_file_extensions, false);
  shown.AddExtensionList(controls.movie_file_extensions, true);
  try {
    SaveOptions(app_->program_folder(), controls, shown, app_->fs());
  } catch (const Error& e) {
    ShowMessage({"Error", e.what(), Buttons::kOk, Icon::kWarning, 1});
  }
}

void FrmOrvanta::RestoreDefaultOptions() {
  OptionControls controls = ReadControls();
  SetDefaultOptions(app_->default_input_folder(), &controls);
  WriteControls(controls);
}

void FrmOrvanta::CreateFolderInfoFileExample() {
  try {
    std::string start = txt_input_folder_->text().toStdString();
    std::string folder = BrowseForFolder(
        this, &start, "Select Folder to create Folder Information file in");
    if (folder.empty()) return;
    const std::string name = txt_directory_info_file_->text().toStdString();
    const std::string path = JoinPath(&folder, name);
    if (app_->fs().FileExists(path)) {
      MessageBox box;
      box.title = "File Exists";
      box.text = "A file named " + name + " exists in the selected folder (" +
                 folder + ").  Overwrite it?";
      box.buttons = Buttons::kYesNoCancel;
      box.icon = Icon::kQuestion;
      if (ShowMessage(box) != Answer::kYes) return;
      app_->fs().CopyFile(path, path + ".old");
    }
    std::unique_ptr<TextWriter> file = app_->fs().CreateTextFile(path);
    for (const char* line :
         {"[Directory Information]", "DirectoryTitle=June 2003 Beach Trip",
          "DirectoryDescription=Family trip to the southern California beach.",
          "SidebarPictureName=Sunset.jpg",
          "SidebarPictureCaption=Sunset over the ocean", "",
          "[Photo specific descriptions]", "OceanSideView.jpg=Pacific Ocean",
          "OldLighthouse.jpg=Lighthouse from 1893"}) {
      file->WriteLine(line);
    }
    file->Close();  // stored whole here, or reported
  } catch (const std::exception& error) {
    ShowMessage(MessageBox{
        "Aborting",
        std::string("Error occurred in CreateFolderInfoFileExample: ") +
            error.what(),
        Buttons::kOk, Icon::kWarning, 1});
  }
}

void FrmOrvanta::ShowAboutBox() { app_->about_box().ShowAbout(); }

void FrmOrvanta::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (frame_known_) return;
  // The window system adds its frame at the first show: size the window
  // again so that the outer size is the one asked for at load.
  frame_known_ = true;
  SetOuterSizeTwips(this, 8800, 0);
  ShowHideIrfanviewPath();
}

void FrmOrvanta::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program. A run still going is not
  // thrown away without a word: only when the person confirms is it told
  // to abort, its remaining questions answered for it.
  if (run_in_progress_ && !app_->shutting_down() &&
      ShowMessage(CancelTaskQuestion()) != Answer::kYes) {
    event->ignore();
    return;
  }
  app_->BeginShutdown();
  UnloadAllFormsExcept(objectName());
  event->accept();
  app_->Quit();
}

}  // namespace orvanta
