// frmOrvanta's layout: every control at its design position (twips, 15 to
// the pixel), the frames, the menu bar, the tab order and the access keys.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include "common/platform.h"
#include "ui/check_box.h"
#include "ui/main_window.h"
#include "ui/placement.h"

namespace orvanta {
namespace {

constexpr char kOriginLeft[] = "originLeftTwips";
constexpr char kOriginTop[] = "originTopTwips";

// Puts `widget` at window-relative design coordinates (twips), inside
// `container` (the central widget or a frame).
template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width,
         int height) {
  widget->setObjectName(QLatin1String(name));
  const QWidget* container = widget->parentWidget();
  const int origin_left = container->property(kOriginLeft).toInt();
  const int origin_top = container->property(kOriginTop).toInt();
  widget->setGeometry(TwipsToPixels(left - origin_left),
                      TwipsToPixels(top - origin_top), TwipsToPixels(width),
                      TwipsToPixels(height));
  if constexpr (std::is_base_of_v<QGroupBox, W>) {
    widget->setProperty(kOriginLeft, left);
    widget->setProperty(kOriginTop, top);
  }
  return widget;
}

QLabel* Label(QWidget* parent, const char* text) {
  return new QLabel(QString::fromUtf8(text), parent);
}

// The option controls carry the key of the option they show, by which the
// window reads, writes and checks them.
template <typename W>
W* Bound(W* control, const char* key) {
  control->setProperty(kOptionKeyProperty, QLatin1String(key));
  return control;
}

QLineEdit* TextBox(QWidget* parent, const char* key) {
  return Bound(new QLineEdit(parent), key);
}

OptionCheckBox* CheckBox(QWidget* parent, const char* text, const char* key) {
  return Bound(new OptionCheckBox(QString::fromUtf8(text), parent), key);
}

QComboBox* List(QWidget* parent, const char* key) {
  return Bound(new QComboBox(parent), key);
}

}  // namespace

void FrmOrvanta::CreateControls() {
  auto* form = new QWidget(this);
  form->setObjectName(QStringLiteral("frmOrvantaClient"));
  setCentralWidget(form);
  lbl_directions_ =
      Place(Label(form,
                  "The graphic files in the input folder will be processed to "
                  "create an html-based photo gallery."),
            "lblDirections", 120, 120, 8535, 210);
  cmd_select_source_folder_ =
      Place(new QPushButton(QStringLiteral("Select &Base Folder"), form),
            "cmdSelectSourceFolder", 120, 450, 1575, 375);
  txt_input_folder_ = Place(TextBox(form, "SourceDirectory"), "txtInputFolder",
                            1800, 480, 6735, 285);
  CreateFileOptions(form);
  cmd_create_orvanta_ =
      Place(new QPushButton(QStringLiteral("&Create Orvanta"), form),
            "cmdCreateOrvanta", 6480, 1440, 1455, 615);
  QLabel* lbl_address = Place(Label(form, "Gallery &web address"),
                              "lblGalleryAddress", 5880, 2340, 2655, 255);
  txt_gallery_address_ = Place(TextBox(form, "GalleryAddress"),
                               "txtGalleryAddress", 5880, 2640, 2655, 285);
  txt_gallery_address_->setPlaceholderText(
      QStringLiteral("https://example.org/photos/"));
  txt_gallery_address_->setToolTip(QStringLiteral(
      "Where the gallery will be on the web, ending in /: its pages then "
      "show a preview when their address is shared, and the gallery gets a "
      "feed (feed.atom) and a sitemap (sitemap.xml).  Empty: none of these"));
  lbl_address->setBuddy(txt_gallery_address_);
  CreateThumbnailOptions(form);
  CreateImageOptions(form);
  CreateOutputOptions(form);
  CreatePublishingOptions(form);
  lbl_irfanview_path_ = Place(Label(form, "Irfanview Path:"),
                              "lblIrfanviewPath", 120, 8295, 1215, 255);
  txt_irfanview_path_ = Place(TextBox(form, "IrfanviewPath"),
                              "txtIrfanviewPath", 1440, 8280, 7095, 285);
  txt_irfanview_path_->setToolTip(QLatin1String(Platform().converter_tip));
}

void FrmOrvanta::CreateFileOptions(QWidget* form) {
  auto* files = fra_file_options_ =
      Place(new QGroupBox(QStringLiteral("Template File Options"), form),
            "fraFileOptions", 120, 960, 5655, 2415);
  QLabel* lbl_style =
      Place(Label(files, "Page st&yle"), "lblPageStyle", 240, 1350, 2175, 255);
  cbo_page_style_ =
      Place(new QComboBox(files), "cboPageStyle", 3000, 1320, 2500, 315);
  for (const PageStyle& style : PageStyles()) {
    cbo_page_style_->addItem(QString::fromUtf8(style.label));
  }
  cbo_page_style_->setToolTip(QStringLiteral(
      "Classic: the pages of old.  Modern: pages that work on a phone, with "
      "their own templates, sharper thumbnails, web-size copies of large "
      "pictures and clips that play in the page"));
  lbl_style->setBuddy(cbo_page_style_);
  QLabel* lbl_index = Place(Label(files, "Folder Index &Template File"),
                            "lblIndexTemplateFile", 240, 1710, 2175, 255);
  txt_index_template_file_ =
      Place(TextBox(files, "IndexTemplateFile"), "txtIndexTemplateFile", 3000,
            1680, 2500, 285);
  QLabel* lbl_picture = Place(Label(files, "&Picture Template File"),
                              "lblPictureTemplateFile", 240, 2070, 2175, 255);
  txt_picture_template_file_ =
      Place(TextBox(files, "PictureTemplateFile"), "txtPictureTemplateFile",
            3000, 2040, 2500, 285);
  Place(Label(files, "Folder Information File"), "lblDirectoryInfoFile", 240,
        2430, 2175, 255);
  txt_directory_info_file_ =
      Place(TextBox(files, "DirectoryInfoFile"), "txtDirectoryInfoFile", 3000,
            2400, 2500, 285);
  chk_overwrite_existing_files_ = Place(
      CheckBox(files, "&Overwrite Existing Html Files Without Confirmation",
               "OverwriteExistingFiles"),
      "chkOverwriteExistingFiles", 240, 2760, 2775, 495);
  chk_recurse_sub_folders_ =
      Place(CheckBox(files, "&Include Subfolders", "RecurseSubdirectories"),
            "chkRecurseSubFolders", 3000, 2760, 2055, 495);
  // Access keys of the labels move the focus to the box beside them.
  lbl_index->setBuddy(txt_index_template_file_);
  lbl_picture->setBuddy(txt_picture_template_file_);
}

void FrmOrvanta::CreateThumbnailOptions(QWidget* form) {
  auto* thumbs = fra_thumbnail_options_ =
      Place(new QGroupBox(QStringLiteral("Thumbnail Options"), form),
            "fraThumbnailOptions", 120, 3480, 3975, 3315);
  Place(Label(thumbs, "Thumbnails Per Row"), "lblThumbnailsPerRow", 240, 3810,
        1575, 255);
  txt_thumbnails_per_row_ = Place(TextBox(thumbs, "ThumbnailsPerRow"),
                                  "txtThumbnailsPerRow", 2520, 3780, 585, 285);
  Place(Label(thumbs, "Maximum Thumbnail Size"),
        "lblThumbnailMaximumWidthOrHeight", 240, 4190, 2175, 255);
  txt_thumbnail_maximum_width_or_height_ =
      Place(TextBox(thumbs, "ThumbnailMaximumWidthOrHeight"),
            "txtThumbnailMaximumWidthOrHeight", 2520, 4160, 585, 285);
  Place(Label(thumbs, "pixels"), "lblThumbnailMaximumWidthOrHeightUnits", 3240,
        4190, 735, 255);
  cbo_create_thumbnails_ = Place(List(thumbs, "ThumbnailCreateMode"),
                                 "cboCreateThumbnails", 240, 4560, 3735, 315);
  QLabel* lbl_prefix = Place(Label(thumbs, "Thumb&nail File Prefix"),
                             "lblThumbnailFilePrefix", 240, 5070, 2175, 255);
  txt_thumbnail_file_prefix_ =
      Place(TextBox(thumbs, "ThumbnailFilePrefix"), "txtThumbnailFilePrefix",
            2880, 5040, 1035, 285);
  Place(Label(thumbs, "Movie file thumbnail extension"),
        "lblMovieFileThumbnailExtension", 240, 5400, 2175, 255);
  txt_movie_file_thumbnail_extension_ =
      Place(TextBox(thumbs, "MovieFileThumbnailExtension"),
            "txtMovieFileThumbnailExtension", 2880, 5400, 1065, 285);
  chk_use_irfanview_ = Place(
      CheckBox(thumbs, "Use Irfanview instead of ImageMagick", "UseIrfanview"),
      "chkUseIrfanview", 240, 5760, 3615, 255);
  chk_use_irfanview_->setToolTip(
      QStringLiteral("Download IrfanView from https://www.irfanview.com/"));
  chk_create_movie_thumbnails_ =
      Place(CheckBox(thumbs, "Create movie thumbnails (ffmpeg)",
                     "CreateMovieThumbnails"),
            "chkCreateMovieThumbnails", 240, 6060, 3615, 255);
  chk_create_movie_thumbnails_->setToolTip(QStringLiteral(
      "A frame from a tenth into each movie, taken with ffmpeg"));
  QLabel* lbl_per_page = Place(Label(thumbs, "Pictures per pa&ge"),
                               "lblPicturesPerPage", 240, 6390, 2175, 255);
  txt_pictures_per_page_ = Place(TextBox(thumbs, "PicturesPerPage"),
                                 "txtPicturesPerPage", 2880, 6360, 1035, 285);
  txt_pictures_per_page_->setToolTip(QStringLiteral(
      "A folder's pictures on index pages of this many each (index.html, "
      "index-2.html ...), with links between them; 0: all on one page"));
  lbl_prefix->setBuddy(txt_thumbnail_file_prefix_);
  lbl_per_page->setBuddy(txt_pictures_per_page_);
}

void FrmOrvanta::CreateImageOptions(QWidget* form) {
  auto* images = fra_image_file_options_ =
      Place(new QGroupBox(QStringLiteral("Image File Options"), form),
            "fraImageFileOptions", 4200, 3480, 4335, 1515);
  chk_include_picture_files_ =
      Place(CheckBox(images, "Include picture files", "IncludePictureFiles"),
            "chkIncludePictureFiles", 4440, 3720, 2055, 375);
  txt_picture_file_extensions_ =
      Place(TextBox(images, "PictureFilesToMatch"), "txtPictureFileExtensions",
            6240, 3780, 2115, 285);
  chk_include_movie_files_ =
      Place(CheckBox(images, "Include movie files", "IncludeMovieFiles"),
            "chkIncludeMovieFiles", 4440, 4200, 2055, 375);
  txt_movie_file_extensions_ =
      Place(TextBox(images, "MovieFilesToMatch"), "txtMovieFileExtensions",
            6240, 4260, 2115, 285);
  txt_picture_file_extensions_->setToolTip(QStringLiteral(
      "Separate extensions using a comma; do not include the . in the "
      "extension.  Example list: jpg, gif, bmp"));
  txt_movie_file_extensions_->setToolTip(QStringLiteral(
      "Separate extensions using a comma; do not include the . in the "
      "extension.  Example list: mov, avi"));
  chk_sort_by_date_taken_ =
      Place(CheckBox(images, "Sort pictures by &date taken", "SortByDateTaken"),
            "chkSortByDateTaken", 4440, 4680, 3975, 255);
  chk_sort_by_date_taken_->setToolTip(QStringLiteral(
      "Pictures and movies in the order they were taken, as their cameras "
      "wrote it (else by the time the file was last changed), not by name"));
}

void FrmOrvanta::CreateOutputOptions(QWidget* form) {
  auto* output = fra_options_ =
      Place(new QGroupBox(QStringLiteral("Output Options"), form), "fraOptions",
            4200, 5100, 4335, 1695);
  chk_include_javascript_nav_functions_ =
      Place(CheckBox(output, "Include &Keyboard Navigation (via JavaScript)",
                     "IncludeKeyboardNavigation"),
            "chkIncludeJavascriptNavFunctions", 4320, 5340, 2415, 375);
  Place(Label(output, "Target Screen Size"), "lblTargetScreenResolution", 6840,
        5580, 1455, 255);
  chk_include_mid_size_picture_ = Place(
      CheckBox(output, "Include &Mid-Size Picture", "IncludeMidSizePicture"),
      "chkIncludeMidSizePicture", 4320, 5820, 2415, 375);
  cbo_target_screen_resolution_ =
      Place(List(output, "TargetResolutionIndex"), "cboTargetScreenResolution",
            6840, 5820, 1455, 315);
  chk_create_mid_size_files_ = Place(
      CheckBox(output, "Make mid-&size picture files", "CreateMidSizeFiles"),
      "chkCreateMidSizeFiles", 4320, 6150, 4095, 300);
  chk_create_web_videos_ = Place(
      CheckBox(output, "Make web copies of movies (ffmpeg)", "CreateWebVideos"),
      "chkCreateWebVideos", 4320, 6450, 4095, 300);
  chk_create_web_videos_->setToolTip(QStringLiteral(
      "An MP4 copy (H.264 and AAC, fitted to the target screen size) of "
      "every movie that browsers cannot play, such as a phone's HEVC or a "
      "camera's AVI; made with ffmpeg"));
  chk_create_mid_size_files_->setToolTip(QStringLiteral(
      "A web-size JPEG copy of every larger picture, and of pictures "
      "browsers cannot show (HEIC, TIFF...), made with the thumbnails"));
  cbo_target_screen_resolution_->setToolTip(QStringLiteral(
      "Target Screen Resolution for Mid-Size Picture.  If the original image "
      "is smaller than these dimensions, then no mid-size picture will be "
      "included."));
}

void FrmOrvanta::CreatePublishingOptions(QWidget* form) {
  auto* publishing = Place(new QGroupBox(QStringLiteral("Publishing"), form),
                           "fraPublishingOptions", 120, 6840, 8415, 1320);
  cmd_select_output_folder_ =
      Place(new QPushButton(QStringLiteral("O&utput folder"), publishing),
            "cmdSelectOutputFolder", 240, 7050, 1575, 375);
  txt_output_folder_ = Place(TextBox(publishing, "OutputFolder"),
                             "txtOutputFolder", 1920, 7080, 6495, 285);
  txt_output_folder_->setPlaceholderText(
      QStringLiteral("Empty: the gallery is written beside the pictures"));
  txt_output_folder_->setToolTip(QStringLiteral(
      "A folder of its own for the gallery, to copy to a web server: the "
      "pictures are only read, and they and the movies are published into "
      "it"));
  chk_remove_location_ =
      Place(CheckBox(publishing, "Remove &location from published files",
                     "RemoveLocation"),
            "chkRemoveLocation", 240, 7500, 3975, 255);
  chk_remove_location_->setToolTip(QStringLiteral(
      "Pictures and movies published into the output folder lose their GPS "
      "position and the serial numbers of camera, lens and body; their "
      "image data stays as it is"));
  chk_remove_stale_files_ =
      Place(CheckBox(publishing, "Remo&ve files no longer in the gallery",
                     "RemoveStaleFiles"),
            "chkRemoveStaleFiles", 4320, 7500, 4095, 255);
  chk_remove_stale_files_->setToolTip(QStringLiteral(
      "Beside the pictures, remove the pages, thumbnails and copies this "
      "program wrote for pictures and folders that are gone (never a file "
      "changed since).  An output folder is always kept so"));
  chk_album_downloads_ =
      Place(CheckBox(publishing, "&Album downloads: a zip per folder",
                     "AlbumDownloads"),
            "chkAlbumDownloads", 240, 7800, 3975, 255);
  chk_album_downloads_->setToolTip(QStringLiteral(
      "Each folder's pictures and movies, as published, in one zip named "
      "after the folder; the modern index page links it"));
}

void FrmOrvanta::CreateMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFileMenu"));
  auto add = [file](const char* name, const char* caption) {
    QAction* action = file->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    return action;
  };
  mnu_select_folder_ = add("mnuSelectFolder", "&Select Base Folder");
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
  mnu_save_default_options_ =
      add("mnuSaveDefaultOptions", "Save &Default Options");
  mnu_restore_default_options_ =
      add("mnuRestoreDefaultOptions", "&Restore Default Options");
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
  mnu_create_folder_info_file_example_ =
      add("mnuCreateFolderInfoFileExample", "&Create example Folder Info file");
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep3"));
  mnu_exit_ = add("mnuExit", "E&xit");
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  mnu_about_ = help->addAction(QStringLiteral("&About Program"));
  mnu_about_->setObjectName(QStringLiteral("mnuAbout"));
}

void FrmOrvanta::SetTabOrder() {
  // As the controls read: top to bottom, left to right, a frame's controls
  // together where the frame stands.
  QWidget* order[] = {
      cmd_select_source_folder_, txt_input_folder_,
      // Template File Options, then what stands to its right.
      cbo_page_style_, txt_index_template_file_, txt_picture_template_file_,
      txt_directory_info_file_, chk_overwrite_existing_files_,
      chk_recurse_sub_folders_, cmd_create_orvanta_, txt_gallery_address_,
      // Thumbnail Options.
      txt_thumbnails_per_row_, txt_thumbnail_maximum_width_or_height_,
      cbo_create_thumbnails_, txt_thumbnail_file_prefix_,
      txt_movie_file_thumbnail_extension_, chk_use_irfanview_,
      chk_create_movie_thumbnails_, txt_pictures_per_page_,
      // Image File Options.
      chk_include_picture_files_, txt_picture_file_extensions_,
      chk_include_movie_files_, txt_movie_file_extensions_,
      chk_sort_by_date_taken_,
      // Output Options.
      chk_include_javascript_nav_functions_, chk_include_mid_size_picture_,
      cbo_target_screen_resolution_, chk_create_mid_size_files_,
      chk_create_web_videos_,
      // Publishing.
      cmd_select_output_folder_, txt_output_folder_, chk_remove_location_,
      chk_remove_stale_files_, chk_album_downloads_,
      // Below the frames.
      txt_irfanview_path_};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(order[i], order[i + 1]);
  }
  for (QWidget* widget : order) widget->setFocusPolicy(Qt::StrongFocus);
}

}  // namespace orvanta
