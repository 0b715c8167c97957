// The folder picker on QFileDialog (the platform's own dialog where the
// platform offers one).
#include "ui/folder_picker.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace orvanta {
namespace {

FolderPickerHook& Hook() {
  static FolderPickerHook hook;
  return hook;
}

}  // namespace

FolderPickerHook SetFolderPickerHook(FolderPickerHook hook) {
  FolderPickerHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

std::string BrowseForFolder(QWidget* owner, std::string* start_folder,
                            const std::string& prompt) {
  std::string result;
  if (Hook()) {
    result = Hook()(*start_folder, prompt);
  } else {
    QFileDialog dialog(owner, QString::fromStdString(prompt));
    dialog.setObjectName(QStringLiteral("dlgBrowseForFolder"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!start_folder->empty()) {
      dialog.setDirectory(QString::fromStdString(*start_folder));
    }
    if (dialog.exec() == QDialog::Accepted) {
      const QStringList chosen = dialog.selectedFiles();
      if (!chosen.isEmpty()) {
        result = QDir::toNativeSeparators(chosen.first()).toStdString();
      }
    }
  }
  if (!result.empty()) *start_folder = result;
  return result;
}

}  // namespace orvanta
