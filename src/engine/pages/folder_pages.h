// Building the gallery's pages, folder by folder from the root: for each
// folder the question about its existing index page, its picture work,
// then its pages as its page style renders them, then the folders below.
// The order of questions and pages is the template's: the pictures' pages
// and the subfolders come where its listings stand.
#ifndef ORVANTA_ENGINE_PAGES_FOLDER_PAGES_H_
#define ORVANTA_ENGINE_PAGES_FOLDER_PAGES_H_

#include <optional>
#include <string>
#include <vector>

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"
#include "engine/styles/page_style.h"
#include "engine/work/picture_work.h"

namespace orvanta {

class FolderPages {
 public:
  FolderPages(RunContext& ctx, const GalleryPlan& plan, PictureWork& work,
              ImageTool& tool);

  // Builds folder `index` of the plan and the folders below it. Failures
  // are shown; one that ends the run sets abort_processing.
  void Build(int index);

 private:
  bool ConfirmOverwrite(const std::string& path);
  void BuildPages(const FolderPlan& folder);
  FolderOutputs ReadOutputs(const FolderPlan& folder);
  void WritePicturePages(const PageInput& in);
  void WriteLaterIndexPages(const PageInput& first,
                            const std::vector<std::string>& lines);
  void WritePicturePage(const PageInput& in, int i, const std::string& path);
  void BuildSubfolders(const FolderPlan& folder);
  void ReportBadCode(const std::string& line, const std::string& path);
  void AskAbort(const std::string& page_path, const Error& error);

  RunContext& ctx_;
  const GalleryPlan& plan_;
  PictureWork& work_;
  ImageTool& tool_;
  bool sizes_shown_ = false;  // the pages show thumbnails' sizes
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PAGES_FOLDER_PAGES_H_
