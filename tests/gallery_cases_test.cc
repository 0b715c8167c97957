// Galleries made end to end by orvanta-cli, one row of the table per case:
// the files to start from, the options, the answers typed on standard
// input, and what the run must print and leave on disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "testing/cli_runner.h"
#include "testing/exiftool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using std::string_literals::operator""s;

// The verbs from Size on look at the file itself, not at its text; Valid
// checks a feed or sitemap (tests/testing/check_xml.py).
// clang-format off
enum Verb { Has, Lacks, Is, Count, Before, Size, Format, Exists, Absent, Link,
            Meta, NoMeta, Valid, Zip, Aged };
// clang-format on

// Zip: a valid archive whose members are "NAME METHOD UTF8-FLAG same"
// ("differs" when not as the file of that name beside it), "; " between.
// Aged: "yes" when the file was last changed minutes ago (by "#age").
// `subject` is "stdout", "stderr" or a path in the gallery ("P:" + path:
// in the program folder). {g}, {p} and {c} in texts stand for the gallery,
// the program folder and the test converter.
struct Check {
  std::string subject;
  Verb verb;
  std::string text = "";  // Count: "N TEXT"; Before: "FIRST | SECOND"
};

struct Case {
  std::string name;
  // Path -> contents. "#WxH", "#WxH/ORIENTATION" make a picture, and
  // "#WxH|-TAG=VALUE|..." one with what exiftool writes into it (a last
  // "|break-exif" then points its EXIF block's first folder past its end);
  // "#repeat N TEXT" N bytes of TEXT over and over;
  // "#clip SECONDS[/ROTATION] [FFMPEG OPTIONS]" a movie clip (tags as
  // above; a .heic picture is made from a tagged JPEG); "#corrupt",
  // "#truncated", "#bomb" and "#random" broken files; "#age" makes a file's
  // time two minutes older; "->T" a link to T; "#fifo" a FIFO; "#stale" a
  // file two minutes old; "#!..." a script; a path ending in "/" a folder.
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<std::string> sets;  // --set KEY=VALUE each
  std::string input;              // standard input
  int status = 0;
  std::vector<Check> checks;
  std::vector<std::string> args = {"{g}"};  // after the --set options
  std::vector<std::string> env = {};        // NAME=VALUE for the run
  // Made after the run ("#gone" removes a file or folder); then a second
  // run with `then_args` (the same when empty) is checked instead.
  std::vector<std::pair<std::string, std::string>> then = {};
  std::vector<std::string> then_args = {};
  // Trees ("" the gallery, "P:" the program folder, or a folder of the
  // gallery) that the (last) run leaves exactly as they were.
  std::vector<std::string> unchanged = {};
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// Points the first folder of the (big-endian) EXIF block of the JPEG at
// `path` past the end of the block.
void BreakExif(const std::string& path) {
  std::string jpeg = ReadFile(path);
  const size_t tiff = jpeg.find(std::string("Exif\0\0MM", 8)) + 6;
  ASSERT_LT(tiff + 8, jpeg.size());
  jpeg.replace(tiff + 4, 4, "\x7F\xFF\xFF\xF0");
  WriteFile(path, jpeg);
}

// What exiftool reads in the file, group by group.
std::string Tags(const std::string& path) {
  return RunTool("exiftool", {"-s", "-G1", "-a", path});
}

// The exiftool arguments after the first "|" of "#WxH|-A=1|-B=2".
std::vector<std::string> SplitTags(const std::string& contents) {
  std::vector<std::string> tags;
  for (size_t at = contents.find('|'); at != std::string::npos;) {
    const size_t next = contents.find('|', at + 1);
    tags.push_back(contents.substr(at + 1, next - at - 1));
    at = next;
  }
  return tags;
}

// Lists a zip's members for the Zip verb; fails when it is not valid.
constexpr char kZipMembers[] = R"(import os, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
beside = lambda n: open(os.path.join(os.path.dirname(sys.argv[1]), n), 'rb')
sys.stdout.buffer.write('; '.join('%s %d %d %s' % (i.filename, i.compress_type,
    i.flag_bits & 0x800, 'same' if z.read(i) == beside(i.filename).read()
    else 'differs') for i in z.infolist()).encode()))";

class GalleryCaseTest : public ::testing::TestWithParam<Case> {
 protected:
  std::string Fill(std::string text) const {
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"{g}", temp_.Path("gallery")},
          {"{p}", temp_.Path("program")},
          {"{c}", TestConverterPath()}}) {
      for (size_t at; (at = text.find(mark)) != std::string::npos;) {
        text.replace(at, mark.size(), value);
      }
    }
    return text;
  }
  std::string PathOf(const std::string& name) const {
    return name.starts_with("P:") ? temp_.Path("program/" + name.substr(2))
                                  : temp_.Path("gallery/" + name);
  }
  void Make(const std::string& path, const std::string& contents) {
    int width = 0, height = 0, orientation = 1;
    if (path.ends_with("/")) {
      MakeFolders(path);
    } else if (contents.starts_with("->")) {
      MakeFolders(std::filesystem::path(path).parent_path());
      std::filesystem::create_symlink(contents.substr(2), path);
    } else if (contents == "#fifo") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else if (contents == "#stale" || contents == "#age") {
      if (contents == "#stale") WriteFile(path, "stale");  // a killed run's
      const auto now = std::filesystem::file_time_type::clock::now();
      std::filesystem::last_write_time(path, now - std::chrono::minutes(2));
    } else if (contents == "#corrupt") {
      MakeCorruptPicture(path);
    } else if (contents == "#truncated") {
      MakeTruncatedJpeg(path, 400, 300);
    } else if (contents == "#bomb") {
      MakeBombPng(path);
    } else if (contents.starts_with("#clip ")) {
      double seconds = 0;
      int rotation = 0;
      int end = 0;
      std::sscanf(contents.c_str(), "#clip %lf%n/%d%n", &seconds, &end,
                  &rotation, &end);
      const size_t tags = contents.find('|');
      MakeClip(path, seconds, rotation, contents.substr(end, tags - end));
      if (tags != std::string::npos) {
        RunExiftool({{path, SplitTags(contents)}});
      }
    } else if (contents.starts_with("#repeat ")) {
      const size_t space = contents.find(' ', 8);
      std::string text;
      while (text.size() < std::stoul(contents.substr(8, space - 8))) {
        text += contents.substr(space + 1);
      }
      WriteFile(path, text);
    } else if (contents == "#random") {
      std::mt19937 random(7);
      std::string bytes(200000, '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      WriteFile(path, bytes);
    } else if (std::sscanf(contents.c_str(), "#%dx%d/%d", &width, &height,
                           &orientation) >= 2) {
      const bool heic = path.ends_with(".heic");
      const std::string made = heic ? path + ".jpg" : path;
      MakePicture(made, width, height, orientation);
      std::vector<std::string> tags = SplitTags(Fill(contents));
      const bool break_exif = std::erase(tags, "break-exif") > 0;
      if (!tags.empty()) RunExiftool({{made, tags}});
      if (break_exif) BreakExif(made);
      if (heic) RunTool("heif-enc", {"-q", "50", made, "-o", path});
      if (heic) std::filesystem::remove(made);
    } else {
      WriteFile(path, Fill(contents));
      if (contents.starts_with("#!")) {  // a script, to be run
        std::filesystem::permissions(path, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
      }
    }
  }
  void Verify(const CliResult& result, const Check& check) {
    SCOPED_TRACE(check.subject + " " + check.text);
    const std::string path = PathOf(check.subject);
    const std::string text = Fill(check.text);
    const std::string all = check.subject == "stdout"   ? result.out
                            : check.subject == "stderr" ? result.err
                            : check.verb >= Size        ? ""
                                                        : ReadFile(path);
    const size_t split = text.find_first_of(" |");
    PictureSize size;
    std::sscanf(text.c_str(), "%dx%d", &size.width, &size.height);
    // clang-format off
    switch (check.verb) {
      case Has: EXPECT_THAT(all, HasSubstr(text)); break;
      case Lacks: EXPECT_THAT(all, Not(HasSubstr(text))); break;
      case Is: EXPECT_EQ(all, text); break;
      case Exists: EXPECT_TRUE(PathExists(path)); break;
      case Absent: EXPECT_FALSE(PathExists(path)); break;
      case Link: EXPECT_EQ(std::filesystem::read_symlink(path), text); break;
      case Meta: EXPECT_THAT(Tags(path), HasSubstr(text)); break;
      case NoMeta: EXPECT_THAT(Tags(path), Not(HasSubstr(text))); break;
      case Format: EXPECT_EQ(ReadPictureFormat(path), text); break;
      case Size: EXPECT_EQ(ReadPictureSize(path), size); break;
      case Valid:
        EXPECT_NO_THROW(RunTool("python3", {std::getenv("ORVANTA_SOURCE_DIR") +
                                 "/tests/testing/check_xml.py"s, path}));
        break;
      case Zip: EXPECT_EQ(RunTool("python3", {"-c", kZipMembers, path}), text);
        break;
      case Aged:
        EXPECT_EQ(std::filesystem::last_write_time(path) <
                      std::filesystem::file_time_type::clock::now() -
                          std::chrono::minutes(1),
                  text == "yes");
        break;
      case Count:
        EXPECT_EQ(CountOccurrences(all, text.substr(split + 1)),
                  std::stoi(text.substr(0, split)));
        break;
      case Before: {
        const size_t second = all.find(text.substr(split + 3));
        EXPECT_NE(second, std::string::npos);
        EXPECT_LT(all.find(text.substr(0, split)), second);
        break;
      }
    }
    // clang-format on
  }
  TempDir temp_;
};

CliResult RunCase(const Case& c, const std::vector<std::string>& args,
                  const std::function<std::string(std::string)>& fill,
                  const std::string& program_folder) {
  CliRun run;
  run.program_folder = program_folder;
  run.input = c.input;
  for (const std::string& setting : c.sets) {
    run.args.insert(run.args.end(), {"--set", fill(setting)});
  }
  run.args.push_back("--quiet");
  for (const std::string& arg : args) run.args.push_back(fill(arg));
  for (const std::string& setting : c.env) run.env.push_back(fill(setting));
  return RunCli(run);
}

TEST_P(GalleryCaseTest, Run) {
  const Case& c = GetParam();
  MakeFolders(temp_.Path("program"));
  MakeFolders(temp_.Path("gallery"));
  for (const auto& [name, contents] : c.files) Make(PathOf(name), contents);
  auto fill = [this](std::string text) { return Fill(std::move(text)); };
  const std::string program = temp_.Path("program");
  if (!c.then.empty()) {
    EXPECT_EQ(RunCase(c, c.args, fill, program).status, c.status);
    for (const auto& [name, contents] : c.then) {
      if (contents == "#gone") std::filesystem::remove_all(PathOf(name));
      if (contents != "#gone") Make(PathOf(name), contents);
    }
  }
  std::vector<std::map<std::string, std::string>> before;
  for (const std::string& tree : c.unchanged) {
    before.push_back(SnapshotTree(PathOf(tree)));
  }
  const CliResult result =
      RunCase(c, c.then_args.empty() ? c.args : c.then_args, fill, program);
  for (size_t i = 0; i < c.unchanged.size(); ++i) {
    EXPECT_EQ(SnapshotTree(PathOf(c.unchanged[i])), before[i])
        << c.unchanged[i];
  }
  EXPECT_EQ(result.status, c.status) << result.err;
  EXPECT_EQ(result.signal, 0);
  for (const Check& check : c.checks) Verify(result, check);
}

// A position and the serial numbers of camera and lens, as phones and
// cameras write them.
const std::string kPlaced =
    "|-GPSLatitude=59.9|-GPSLatitudeRef=N|-GPSLongitude=10.7|"
    "-GPSLongitudeRef=E|-SerialNumber=CAM123|-LensSerialNumber=LENS456|"
    "-Model=Canon EOS 5D";
const std::string kPlacedClip =
    "#clip 1|-Keys:GPSCoordinates=59.9, 10.7, 12|"
    "-UserData:GPSCoordinates=59.9, 10.7";
const std::string kPositionLine =
    " pictures carry a GPS position, and their pages link to them. Choose "
    "an output "
    "folder to publish them without it.\n";

const std::string kCreated = "Gallery created: Orvanta created.  Processed ";
const std::string kAborted = "Process aborted: Orvanta creation aborted.";
const std::string kRootPage = "Root page: file://{g}/index.html\n";

// clang-format off
const Case kCases[] = {
    {"WholeTreeWithThumbnailsPagesAndSummary",
     {{"b.jpg", "#640x480"}, {"A.png", "#300x200"},
      {"Sub dir/c.jpg", "#400x300/6"}, {"clip.mov", "movie"},
      {"t_clip.jpg", "#100x80"},
      {"DirInfo.txt", "DirectoryTitle=Beach & sun\r\nDirectoryDescription="
                      "Family trip\r\nb.jpg=The <b>bay</b>\r\n"}},
     {}, "", 0,
     {{"stdout", Is,
      kCreated + "4 image files in 2 folders.\n" + kRootPage},
      {"stderr", Is, ""}, {"t_b.jpg", Size, "150x113"},
      {"t_A.png", Format, "PNG"}, {"Sub dir/t_c.jpg", Size, "113x150"},
      {"t_clip.jpg", Size, "100x80"},
      {"index.html", Has, "<a href=\"A.html\" name=\"navNext\"> <IMG "
                          "SRC=\"t_A.png\"></a>"},
      {"index.html", Has, "<a href=\"clip.html\" name=\"navPrevious\"> <IMG "
                          "SRC=\"t_clip.jpg\"></a>"},
      {"index.html", Before, "A.html | b.html"},
      {"index.html", Has, "<a href=\"Sub%20dir/index.html\">Sub dir</a><BR>"},
      {"index.html", Has, "<P>Family trip</P>\r\n"},
      {"index.html", Has, "<H2>Beach & sun</H2>"},
      {"index.html", Has, "<TD></TD>\r\n</TR>"},
      {"b.html", Has, "The <b>bay</b>"},
      {"b.html", Has, "<a href=\"A.html\" name=\"navPrevious\">Previous</a>"},
      {"b.html", Has, "<a href=\"clip.html\" name=\"navNext\">Next</a>"},
      {"clip.html", Has, "<a href=\"clip.mov\"><IMG SRC=\"t_clip.jpg\"></a>"},
      {"clip.html", Has, "<a href=\"index.html\" name=\"navNext\">Next</a>"},
      {"Sub dir/index.html", Has, "<P><a href=\"../index.html\" name=\""
                                  "navIndex\">Up to Beach & sun</a></P>"},
      {"Sub dir/index.html", Has, "<Script Src=\"../NavFunctions.js\""},
      {"Sub dir/index.html", Has, "<TR><TD><a href=\"#\" name=\"navPrevious\">"
                                  "</a></TD></TR>"},
      {"NavFunctions.js", Exists}, {"Sub dir/NavFunctions.js", Absent},
      {"P:IndexTemplate.html", Exists}, {"P:PictureTemplate.html", Exists}}},
    {"ThumbnailsFitKeepTheFormatAndStandUpright",
     {{"tall.JPG", "#300x600"}, {"wide.gif", "#640x480"},
      {"mirrored.jpg", "#800x600/2"}, {"tiny.png", "#1x1"},
      {"png:a [0] 100%.jpg", "#400x200"}},
     {}, "", 0,
     {{"t_tall.JPG", Size, "75x150"}, {"t_tall.JPG", Format, "JPEG"},
      {"t_wide.gif", Format, "GIF"}, {"t_mirrored.jpg", Size, "150x113"},
      {"t_tiny.png", Size, "150x150"},
      {"t_png:a [0] 100%.jpg", Size, "150x75"}, {"stderr", Is, ""}}},
    {"NoInputFolderIsAUsageError", {}, {}, "", 2,
     {{"stderr", Has, "no input folder given"}, {"P:index.html", Absent}}, {}},
    {"UnknownKeyIsAUsageError", {}, {"NoSuchKey=1"}, "", 2,
     {{"stderr", Has, "unknown option key \"NoSuchKey\""}}},
    {"ListIndexOutOfRangeIsAUsageError", {}, {"ThumbnailCreateMode=7"}, "", 2,
     {{"index.html", Absent},
      {"stderr", Has, "--set ThumbnailCreateMode=7: ThumbnailCreateMode "
                      "takes a whole number from 0 to 2"}}},
    {"NumberOutOfItsBoxRangeIsAUsageError", {},
     {"ThumbnailMaximumWidthOrHeight=0"}, "", 2,
     {{"stderr", Is, "orvanta-cli: --set ThumbnailMaximumWidthOrHeight=0: "
                     "ThumbnailMaximumWidthOrHeight takes a whole number "
                     "from 10 to 5000\n"}}},
    {"NeitherTrueNorFalseIsAUsageError", {}, {"OverwriteExistingFiles=maybe"},
     "", 2, {{"stderr", Has, "OverwriteExistingFiles takes True or False"}}},
    {"EmptyPrefixIsAUsageErrorOnTheCommandLine", {},
     {"ThumbnailFilePrefix="}, "", 2,
     {{"stderr", Has, "ThumbnailFilePrefix cannot be empty"}}},
    {"EmptyTemplateNameIsAUsageError", {}, {"IndexTemplateFile="}, "", 2,
     {{"stderr", Has, "IndexTemplateFile cannot be empty"}}},
    {"UnknownOptionShowsTheUsage", {}, {}, "", 2,
     {{"stderr", Has, "unknown option --bogus\nUsage: orvanta-cli"}},
     {"--bogus"}},
    {"EmptyPrefixFromInfoIniStopsTheRun",
     {{"P:info.ini", "ThumbnailFilePrefix=\r\n"}, {"a.jpg", "#40x30"}}, {},
     "", 1,
     {{"stderr", Has, "Missing Prefix: The thumbnail file prefix is empty"},
      {"index.html", Absent}, {"a.html", Absent}}},
    {"HelpGoesToStandardOutput", {}, {}, "", 0,
     {{"stdout", Has, "Usage: orvanta-cli"},
      {"stdout", Has, "\n  CreateMidSizeFiles=True|False    "},
      {"stdout", Has, "\n  TargetResolutionIndex=0..6    "},
      {"stdout", Has, "\n  OutputFolder=DIR\n"},
      {"stdout", Has, "\n  PageStyle=classic|modern\n"},
      {"stdout", Has, "ThumbnailMaximumWidthOrHeight=10..5000 default 150\n"},
      {"stdout", Has, "from 0 in 640x480, 800x600,"},
      {"stderr", Is, ""}}, {"--help"}},
    {"TildeStandsForTheHomeFolder", {{"a.jpg", "#40x30"}}, {}, "", 0,
     {{"a.html", Exists}}, {"~/gallery"}, {"HOME={g}/.."}},
    {"MissingInputFolderStopsAndSaysWhy", {}, {}, "", 1,
     {{"stderr", Is, "Invalid Path: The input folder path is invalid.  "
                     "Aborting.\n{g}/nowhere: no such folder\n"}},
     {"{g}/nowhere"}},
    {"FileGivenAsTheInputFolderStopsAndSaysWhy", {{"a.jpg", "#40x30"}}, {},
     "", 1,
     {{"stderr", Is, "Invalid Path: The input folder path is invalid.  "
                     "Aborting.\n{g}/a.jpg: not a folder\n"}},
     {"{g}/a.jpg"}},
    {"SavedSourceDirectoryIsUsed", {{"P:info.ini", "SourceDirectory={g}\r\n"}},
     {}, "", 0, {{"index.html", Exists}}, {}},
    {"RootFolderAsksFirst", {}, {}, "", 1,
     {{"stderr", Has, "Warning: The currently selected input folder is the "
                      "root folder of the file system."}}, {"/"}},
    {"MissingConverterStops", {},
     {"UseIrfanview=True", "IrfanviewPath={p}/nothing"}, "", 1,
     {{"stderr", Is, "Error: Invalid path specified for the IrfanView "
                     "software: {p}/nothing\n"}}},
    {"ConverterTickedWithoutAPathStops", {},
     {"UseIrfanview=True", "IrfanviewPath="}, "", 1,
     {{"stderr", Has, "Error: No converter set"}, {"index.html", Absent}}},
    {"ConverterMakesThumbnailsAndFailuresAsk",
     {{"one.jpg", "#600x300"}, {"fail.jpg", "#60x60"}, {"crash.jpg", "#60x60"}},
     {"UseIrfanview=True", "IrfanviewPath={c}"}, "n\n", 0,
     {{"t_one.jpg", Size, "150x75"},
      {"stderr", Has, "Error: Error calling IrfanView using command line: \n"
                      "\"{c}\" \"{g}/crash.jpg\" /resample=(150,150) "
                      "/aspectratio /convert=\"{g}/t_crash.jpg\"\n\nSkipping "
                      "this picture.  Prompt on additional errors?"},
      {"stderr", Count, "1 Error calling IrfanView"},
      {"t_fail.jpg", Absent}, {"t_crash.jpg", Absent}, {"fail.html", Exists}}},
    {"ExistingPagesAnsweredNoAreKept",
     {{"a.jpg", "#60x40"}, {"index.html", "old index"},
      {"Sub/index.html", "old sub"}},
     {"OverwriteExistingFiles=False"}, "maybe\nn\n", 0,
     {{"stderr", Has, "Overwrite file?: The file {g}/index.html exists.  "
                      "Are you sure you want to overwrite it?\n"},
      {"stderr", Has, "Please answer [yes/NO/cancel]"},
      {"index.html", Is, "old index"}, {"Sub/index.html", Is, "old sub"},
      {"t_a.jpg", Absent},
      {"stdout", Is,
      kCreated + "0 image files in 1 folder.\n" + kRootPage}}},
    {"CancelAtAnExistingPageAbandonsTheRun",
     {{"a.jpg", "#60x40"}, {"index.html", "old index"},
      {"Sub/index.html", "old sub"}},
     {"OverwriteExistingFiles=False"}, "y\nc\n", 3,
     {{"stdout", Has, kAborted}, {"Sub/index.html", Is, "old sub"},
      {"index.html", Is, "old index"}, {"a.html", Absent}}},
    {"MarkedFoldersAreSkippedButLinked",
     {{"Keep/x.jpg", "#50x50"}, {"Keep/DoNotModify.txt", ""}}, {}, "", 0,
     {{"Keep/index.html", Absent}, {"Keep/t_x.jpg", Absent},
      {"index.html", Has, "<a href=\"Keep/index.html\">"},
      {"stdout", Has, "Processed 0 image files in 2 folders."}}},
    {"MissingTemplateFallsBackToAnEditedDefault",
     {{"P:IndexTemplate.html", "<html>mine %DirectoryTitle%\r\n%Thumbnails%"
                               "\r\n</html>\r\n"}},
     {"IndexTemplateFile=Gone.html"}, "", 0,
     {{"index.html", Has, "<html>mine "},
      {"P:IndexTemplate.html", Has, "<html>mine"}}},
    {"TemplatesThatCannotBeWrittenStopTheRun",
     {{"P:IndexTemplate.html/", ""}}, {}, "", 3,
     {{"stderr", Has, "Error Creating HTML Index Template File: "},
      {"stderr", Has, "Be sure you have write permission"},
      {"stdout", Has, kAborted}, {"index.html", Absent}}},
    {"MissingProgramFoldersAreMade", {{"a.jpg", "#40x30"}}, {}, "", 0,
     {{"P:new/er/info.ini", Has, "SourceDirectory="}, {"a.html", Exists}},
     {"--program-folder", "{p}/new/er", "{g}"}},
    {"ProgramFoldersThatCannotBeMadeStopTheRunFirst",
     {{"a.jpg", "#40x30"}, {"P:file", "mine"}}, {}, "", 1,
     {{"stderr", Is, "orvanta-cli: The program folder {p}/file/sub cannot "
                     "be made (Not a directory)\n"},
      {"t_a.jpg", Absent}, {"index.html", Absent}},
     {"--program-folder", "{p}/file/sub", "{g}"}},
    {"BadTemplateCodeAbandonsTheRun",
     {{"P:IndexTemplate.html", "<html>\r\n%foo%\r\nnever\r\n"},
      {"a.jpg", "#40x30"}},
     {}, "", 3,
     {{"stderr", Has, "Orvanta: Bad code in line \n%foo%\n of header file "
                      "{p}/IndexTemplate.html"},
      {"stdout", Has, kAborted}, {"index.html", Absent},
      {"a.html", Absent}}},
    {"TitleHoldingPercentIsNotScannedAgain",
     {{"DirInfo.txt", "DirectoryTitle=100% sure\r\n"}}, {}, "", 0,
     {{"index.html", Has, "<H2>100% sure</H2>"}}},
    {"BrokenPicturesAreListedAndTheRunGoesOn",
     {{"good.jpg", "#320x240"}, {"corrupt.jpg", "#corrupt"},
      {"truncated.jpg", "#truncated"}, {"empty.jpg", ""},
      {"bomb.png", "#bomb"}},
     {}, "", 0,
     {{"stdout", Is,
      kCreated + "5 image files in 1 folder.\n" + kRootPage},
      {"stderr", Has, "Errors occurred during the thumbnail creation "
                      "process."},
      {"stderr", Count, "3 Error Creating Thumbnails: "},
      {"stderr", Has, "Error Creating Thumbnails: corrupt.jpg: the file is "
                      "not a picture that can be read ("},
      {"stderr", Has, "Error Creating Thumbnails: empty.jpg: the file is "
                      "empty"},
      {"stderr", Lacks, " @ "}, {"stderr", Lacks, "{g}"},
      {"stderr", Has, "bomb.png"},
      {"t_good.jpg", Size, "150x113"}, {"t_truncated.jpg", Size, "150x113"},
      {"stderr", Has, "\ntruncated.jpg: the picture is incomplete (Premature "
                      "end of JPEG file)\n"},
      {"t_corrupt.jpg", Absent}, {"t_bomb.png", Absent},
      {"corrupt.html", Exists}, {"empty.html", Exists},
      {"bomb.html", Exists}}},
    {"OddNamesAreSafeInLinksAndText",
     {{"a b#1%&\"q\".jpg", "#40x30"}, {"x:y/.keep", ""},
      {"caf\xe9 \xff\xfe.jpg", "#40x30"}, {"tab\there.jpg", "#40x30"},
      {"esc\x1b[31mred.jpg", "#40x30"}, {"line\nbreak.jpg", "#40x30"},
      {"100% #1 & <b>bold?.jpg", "#40x30"}},
     {}, "", 0,
     {{"stderr", Is, ""},
      {"index.html", Has, "<a href=\"a%20b%231%25%26%22q%22.html\""},
      {"index.html", Has, "<IMG SRC=\"t_a%20b%231%25%26%22q%22.jpg\">"},
      {"index.html", Has, "<a href=\"x%3Ay/index.html\">x:y</a>"},
      {"index.html", Has, "caf%E9%20%FF%FE.html"},
      {"index.html", Lacks, "<b>bold"},
      {"a b#1%&\"q\".html", Exists}, {"line\nbreak.html", Exists},
      {"t_caf\xe9 \xff\xfe.jpg", Size, "150x113"},
      {"100% #1 & <b>bold?.html", Has, "100%25%20%231%20%26%20%3Cb%3Ebold"
                                       "%3F.jpg"}}},
    {"FolderInformationFiles",
     {{"DirInfo.txt",
       "[Directory Information]\r\nDirectoryTitle=First\r\n"
       "DIRECTORYTITLE=June <i>2003</i>\r\nno equals sign\r\n"
       "DirectoryDescription=Family trip=fun\r\n"
       "SidebarPictureName=Sun set.jpg\r\n"
       "SidebarPictureCaption=Sunset \"over\" the ocean\r\n"
       "oceansideview.JPG=Surf\r\nOceanSideView.jpg=Second entry loses\r\n"},
      {"OceanSideView.jpg", "#40x30"}, {"Sun set.jpg", "#40x30"},
      {"Other <1>.jpeg", "#40x30"},
      {"Sub/DirInfo.txt", "DirectoryTitle=One\nDirectoryTitle=Two\n"},
      {"Sub/a.jpg", "#40x30"}, {"A&B/b.jpg", "#40x30"},
      {"cr/DirInfo.txt", "DirectoryTitle=Old Mac\rc.jpg=Sea\r"},
      {"binary/DirInfo.txt", "#random"}, {"binary/d.jpg", "#40x30"},
      {"bom/DirInfo.txt", "\xEF\xBB\xBF" "DirectoryTitle=Marked\r\n"},
      {"win/DirInfo.txt", "DirectoryTitle=Caf\xE9\x1B \x80\x93\r\n"
                          "caf\xE9.jpg=Tasse\r\n"},
      {"win/Caf\xE9.jpg", "#40x30"}},
     {}, "", 0,
     {{"stderr", Is, ""},
      {"index.html", Has, "<H2>June <i>2003</i></H2>"},
      {"index.html", Has, "<P>Family trip=fun</P>"},
      {"OceanSideView.html", Has, "Surf"},
      {"OceanSideView.html", Lacks, "Second entry"},
      {"Other <1>.html", Has, "Other &lt;1&gt;"},
      {"index.html", Has, "<img src=\"Sun%20set.jpg\" alt=\"Sunset &quot;"
                          "over&quot; the ocean\"><BR>\r\nSunset \"over\" "
                          "the ocean"},
      {"Sun set.html", Absent},
      {"index.html", Has, ">One</a>"}, {"Sub/index.html", Has, "<H2>Two</H2>"},
      {"A&B/index.html", Has, "<H2>gallery/A&amp;B/</H2>"},
      {"index.html", Has, ">Marked</a>"}, {"index.html", Has, ">A&amp;B</a>"},
      {"cr/index.html", Has, "Old Mac"}, {"binary/d.html", Exists},
      {"win/index.html", Has, "<H2>Caf\u00e9 \u20ac\u201c</H2>"},
      {"index.html", Has, ">Caf\u00e9 \u20ac\u201c</a>"},
      {"win/Caf\xE9.html", Has, "Tasse"}}},
    {"ThumbnailThatCannotBeWrittenAsksAndOtherFoldersGoOn",
     {{"a.jpg", "#40x30"}, {"t_a.jpg/", ""}, {"b.jpg", "#40x30"},
      {"c.jpg", "#40x30"}, {"t_c.jpg/", ""}, {"sub/d.jpg", "#40x30"}},
     {}, "y\nn\ny\n", 0,
     {{"stderr", Count, "2 Continue creating thumbnails for the files in "
                        "this folder?"},
      {"stderr", Has, "Error: Try to create thumbnails for files on other "
                      "folders?"},
      {"stderr", Has, "Error Creating Thumbnails: "},
      {"t_b.jpg", Exists}, {"sub/t_d.jpg", Exists},
      {"index.html", Has, "<IMG SRC=\"a.jpg\" WIDTH=150>"}}},
    {"ThumbnailsDeclinedForOtherFolders",
     {{"a.jpg", "#40x30"}, {"t_a.jpg/", ""}, {"b.jpg", "#40x30"},
      {"sub/d.jpg", "#40x30"}},
     {}, "n\nn\n", 0,
     {{"sub/t_d.jpg", Absent}, {"sub/d.html", Exists}}},
    {"CancelAtAFailedThumbnailAbandonsTheRun",
     {{"a.jpg", "#40x30"}, {"t_a.jpg/", ""}}, {}, "c\n", 3,
     {{"stdout", Has, kAborted}, {"index.html", Absent}}},
    {"ExistingThumbnailUnderTheJpgName",
     {{"photo.png", "#200x100"}, {"t_photo.jpg", "#20x10"}}, {}, "", 0,
     {{"t_photo.png", Absent},
      {"index.html", Has, "<IMG SRC=\"t_photo.jpg\">"}}},
    {"CreateModeAllRemakesThumbnailsButNeverPhotos",
     {{"photo.png", "#200x100"}, {"t_photo.jpg", "#20x10"},
      {"bar.jpg", "#640x480"}, {"t_bar.jpg", "#300x200"},
      {"baz.jpg", "#1200x900"}, {"t_baz.jpg", "#100x75"}, {"m_baz.jpg", "#20x10"},
      {"bad.jpg", "#corrupt"}, {"t_bad.jpg", "#20x15"}},
     {"ThumbnailCreateMode=2", "CreateMidSizeFiles=True",
      "TargetResolutionIndex=1"}, "", 0,
     {{"t_photo.png", Size, "150x75"}, {"t_baz.jpg", Size, "150x113"},
      {"m_baz.jpg", Size, "647x485"},
      {"t_bar.jpg", Size, "300x200"}, {"t_bad.jpg", Size, "20x15"},
      {"stderr", Has, "Error Creating Thumbnails: bar.jpg: t_bar.jpg was kept "
                      "(at 300 x 200 it is larger than a thumbnail"},
      {"stderr", Has, "Error Creating Thumbnails: bad.jpg: the file is not a "
                      "picture"}}},
    {"FilesSharingABaseNameGetPagesOfTheirOwn",
     {{"pic.bmp", "#40x30"}, {"pic.png", "#60x30"}, {"index.jpg", "#40x30"},
      {"foo.jpg", "#40x30"}, {"t_foo.jpg", "#20x15"}, {"foo.png", "#40x20"},
      {"foo.mov", "#clip 1"}, {"clip.mp4", "#clip 1"}, {"clip.avi", "#clip 1"},
      {"Beach.jpg", "#40x30"}},
     {"CreateMovieThumbnails=True", "MovieFilesToMatch=mov,avi,mp4",
      "OverwriteExistingFiles=False"},
     "", 0,
     {{"stderr", Lacks, "exists"}, {"pic.html", Absent},
      {"pic.bmp.html", Has, "<IMG SRC=\"pic.bmp\">"},
      {"pic.png.html", Has, "<IMG SRC=\"pic.png\">"},
      {"index.html", Has, "<a href=\"index.jpg.html\""},
      {"index.jpg.html", Has, "<IMG SRC=\"index.jpg\">"},
      {"index.html", Has, "<a href=\"Beach.html\" name=\"navNext\">"},
      {"index.html", Has, "<a href=\"foo.png.html\"> <IMG "
                          "SRC=\"t_foo.png\"></a>"},
      {"t_foo.png", Size, "150x75"}, {"t_foo.jpg", Size, "20x15"},
      {"t_foo.mov.jpg", Exists}, {"t_clip.mp4.jpg", Exists},
      {"t_clip.avi.jpg", Exists}, {"t_clip.jpg", Absent},
      {"foo.mov.html", Has, "<IMG SRC=\"t_foo.mov.jpg\">"},
      {"foo.mov.html", Has, "<a href=\"foo.jpg.html\" name=\"navPrevious\">"},
      {"foo.mov.html", Has, "<a href=\"foo.png.html\" name=\"navNext\">"},
      {"stdout", Has, "Processed 9 image files"}}},
    {"CreateModeNoneShowsThePictureScaled",
     {{"new.gif", "#40x40"}, {"big.jpg", "#1200x900"}},
     {"ThumbnailCreateMode=0", "CreateMidSizeFiles=True"}, "", 0,
     {{"t_new.gif", Absent}, {"m_big.jpg", Absent},
      {"index.html", Has, "<IMG SRC=\"new.gif\" WIDTH=150>"}}},
    {"LargePicturesAreShownAtMidSize",
     {{"wide.jpg", "#1200x700"}, {"small.jpg", "#800x600"},
      {"turned.jpg", "#900x600/6"}, {"big.jpg", "#4000x3000"},
      {"NavFunctions.js", "// mine"}},
     {"TargetResolutionIndex=2"}, "", 0,
     {{"wide.html", Has, "<a href=\"wide.jpg\"><IMG SRC=\"wide.jpg\" "
                         "HEIGHT=628></a>"},
      {"small.html", Has, "<IMG SRC=\"small.jpg\">"},
      {"turned.html", Has, "HEIGHT=628"}, {"big.html", Has, "HEIGHT=628"},
      {"NavFunctions.js", Is, "// mine"}}},
    {"KeyboardAndMidSizeSwitchedOff", {{"wide.jpg", "#1200x700"}},
     {"IncludeKeyboardNavigation=False", "IncludeMidSizePicture=False"}, "", 0,
     {{"index.html", Lacks, "Script"},
      {"index.html", Has, "<BODY BGCOLOR=\"#FFFFFF\" >"},
      {"wide.html", Has, "<IMG SRC=\"wide.jpg\">"},
      {"NavFunctions.js", Absent}}},
    {"ExtensionListsAndHiddenFiles",
     {{"b.jpg", "#40x30"}, {"A.JPG", "#40x30"}, {"c.gif", "#40x30"},
      {"t_rex.jpg", "#40x30"}, {"clip.mov", "x"}, {"notes.txt", "x"},
      {".hidden.jpg", "#40x30"}, {".secret/e.jpg", "#40x30"}},
     {"PictureFilesToMatch= .jpg ;; gif"}, "", 0,
     {{"stdout", Is,
      kCreated + "4 image files in 1 folder.\n" + kRootPage},
      {"A.html", Exists}, {"c.html", Exists}, {"clip.html", Exists},
      {"notes.html", Absent}, {".hidden.html", Absent}, {"t_rex.html", Absent},
      {".secret/index.html", Absent}}},
    {"MoviesOnlyWithTheirOwnThumbnailExtension",
     {{"a.jpg", "#40x30"}, {"clip.avi", "x"}, {"t_clip.png", "#20x20"}},
     {"IncludePictureFiles=False", "MovieFileThumbnailExtension=png"}, "", 0,
     {{"a.html", Absent}, {"t_a.jpg", Absent},
      {"index.html", Has, "<IMG SRC=\"t_clip.png\">"}}},
    {"OptionsFromInfoIni",
     {{"P:info.ini", "ThumbnailsPerRow=2\r\nThumbnailFilePrefix=small_\r\n"},
      {"a.jpg", "#40x30"}, {"b.jpg", "#40x30"}, {"c.jpg", "#40x30"}},
     {}, "", 0,
     {{"small_a.jpg", Exists}, {"index.html", Count, "2 <TR>"},
      {"P:info.BAK", Absent}}},
    {"EmptyInfoIniIsReportedAndLeftAlone",
     {{"P:info.ini", ""}, {"a.jpg", "#40x30"}}, {}, "", 0,
     {{"stderr", Has, "Error Loading General Program Information (Info.ini) "
                      "File: Input past end of file"},
      {"stderr", Has, "({p})"}, {"P:info.ini", Is, ""},
      {"P:info.BAK", Absent}, {"index.html", Exists}}},
    {"SymbolicLinkLoopsAreNotFollowed",
     {{"a.jpg", "#40x30"}, {"sub/b.jpg", "#40x30"}, {"sub/up", "->.."},
      {"self", "->."}, {"x.jpg", "->y.jpg"}, {"y.jpg", "->x.jpg"}},
     {}, "", 0,
     {{"stdout", Is,
      kCreated + "2 image files in 2 folders.\n" + kRootPage},
      {"x.html", Absent}}},
    {"WithoutSubfoldersTheSidebarStays",
     {{"a.jpg", "#40x30"}, {"s.jpg", "#40x30"}, {"Sub/x.jpg", "#40x30"},
      {"DirInfo.txt", "SidebarPictureName=s.jpg\r\n"}},
     {"RecurseSubdirectories=False"}, "", 0,
     {{"Sub/index.html", Absent}, {"index.html", Lacks, "Sub/index.html"},
      {"index.html", Has, "<P>\r\n<img src=\"s.jpg\""}}},
    {"MoviesGetAFrameWhenAskedFor",
     {{"a.mp4", "#clip 2"}, {"b.avi", "#clip 2"}, {"c.mov", "#clip 2"},
      {"turned.mp4", "#clip 2/90"}, {"short.mp4", "#clip 0.5"},
      {"-x y.mp4", "#clip 1"}, {"broken.mp4", "#random"},
      {"own.mp4", "#clip 1"}, {"t_own.jpg", "#100x80"}},
     {"CreateMovieThumbnails=True", "MovieFilesToMatch=mov,avi,mp4"}, "", 0,
     {{"t_a.jpg", Size, "150x113"}, {"t_b.jpg", Format, "JPEG"},
      {"t_c.jpg", Size, "150x113"}, {"t_turned.jpg", Size, "113x150"},
      {"t_short.jpg", Size, "150x113"}, {"t_-x y.jpg", Size, "150x113"},
      {"t_own.jpg", Size, "100x80"}, {"t_broken.jpg", Absent},
      {"stderr", Count, "1 Error Creating Thumbnails: broken.mp4: the file "
                        "is not a movie that can be read ("},
      {"stderr", Lacks, "{g}"},
      {"index.html", Has, "<a href=\"a.html\"> <IMG SRC=\"t_a.jpg\"></a>"},
      {"stdout", Has, "Processed 8 image files in 1 folder."}}},
    {"PlaylistsPosingAsMoviesAreRefused",
     {{"P:secret.ts", "#clip 1"}, {"real.mp4", "#clip 1"},
      {"evil.mp4", "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\n"
                   "../program/secret.ts\n#EXT-X-ENDLIST\n"},
      {"far.mov", "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\n"
                  "file://{p}/secret.ts\n#EXT-X-ENDLIST\n"}},
     {"CreateMovieThumbnails=True", "MovieFilesToMatch=mov,mp4"}, "", 0,
     {{"t_real.jpg", Size, "150x113"}, {"t_evil.jpg", Absent},
      {"t_far.jpg", Absent},
      {"stderr", Has, "Error Creating Thumbnails: evil.mp4: the file is a "
                      "playlist or another kind of file that is not a movie "
                      "(ffmpeg reads it as \"hls\")"},
      {"stderr", Has, "Error Creating Thumbnails: far.mov: the file is a "
                      "playlist"}}},
    {"MoviesWithoutFfmpegSayItOnce",
     {{"a.mp4", "#clip 1"}, {"b.mp4", "#clip 1"}, {"sub/c.mp4", "#clip 1"}},
     {"CreateMovieThumbnails=True", "MovieFilesToMatch=mp4",
      "SortByDateTaken=True"}, "", 0,
     {{"stderr", Count, "1 Movie thumbnails need ffmpeg (Debian: apt-get "
                        "install ffmpeg)"},
      {"t_a.jpg", Absent}, {"sub/t_c.jpg", Absent}, {"a.html", Exists}},
     {"{g}"}, {"PATH=/nonexistent"}},
    {"MoviesKeepTheirLinkWithoutTheOption", {{"a.mp4", "#clip 1"}},
     {"MovieFilesToMatch=mp4"}, "", 0,
     {{"t_a.jpg", Absent}, {"stderr", Is, ""},
      {"index.html", Has, "<a href=\"a.html\" name=\"navNext\">a.mp4</a>"}}},
    {"MoviesBrowsersCannotPlayGetWebCopiesThePagesPlay",
     {{"phone.mov", "#clip 0.5 -f lavfi -i sine -s 800x600 -c:v libx265 "
                    "-x265-params log-level=error -tag:v hvc1 -c:a aac "
                    "-metadata location=+48.8577+002.2950/"},
      {"cam.avi", "#clip 0.5 -c:v mjpeg -pix_fmt yuvj420p"},
      {"plays.mp4", "#clip 0.5 -pix_fmt yuv420p -movflags +faststart"}},
     {"CreateWebVideos=True", "TargetResolutionIndex=0",
      "MovieFilesToMatch=mov,avi,mp4"}, "", 0,
     {{"m_phone.mp4", Has, "avc1"}, {"m_phone.mp4", Has, "mp4a"},
      {"m_phone.mp4", Before, "moov | mdat"},
      {"m_phone.mp4", Has, "\x01\xFE\0\0\x01\x7E\0\0"s},  // 510 x 382
      {"phone.mov", Has, "+48.8577"}, {"m_phone.mp4", Lacks, "+48.8577"},
      {"phone.html", Has, "<video class=\"shot\" controls preload=\"metadata\""
                          " poster=\"t_phone.jpg\" width=\"510\" "
                          "height=\"382\">\r\n<source src=\"m_phone.mp4\" "
                          "type=\"video/mp4\">\r\n<a href=\"phone.mov\" "
                          "download>phone.mov</a>"},
      {"m_cam.mp4", Has, "avc1"},
      {"cam.html", Has, "<source src=\"m_cam.mp4\" type=\"video/mp4\">"},
      {"m_plays.mp4", Absent},
      {"plays.html", Has, "<source src=\"plays.mp4\" type=\"video/mp4\">"},
      {"stderr", Is, ""}, {"stdout", Has, "Processed 3 image files"}},
     {"--style", "modern", "{g}"}},
    {"ModernPagesPlayClipsByWhatTheyHoldNotTheirNames",
     {{"h264.mov", "#clip 0.5 -pix_fmt yuv420p"},
      {"hevc.mp4", "#clip 0.5 -c:v libx265 -x265-params log-level=error"}},
     {"MovieFilesToMatch=mov,mp4"}, "", 0,
     {{"h264.html", Has, "<video class=\"shot\" controls preload=\"metadata\""
                         " poster=\"t_h264.jpg\" width=\"300\" height=\"225\">"
                         "\r\n<source src=\"h264.mov\" type=\"video/mp4\">"},
      {"hevc.html", Has, "<a class=\"shot clip\" href=\"hevc.mp4\" download>"},
      {"hevc.html", Lacks, "<video"}, {"stderr", Is, ""}},
     {"--style", "modern", "{g}"}},
    {"BrokenClipIsListedWithoutACopyAndTheRunGoesOn",
     {{"broken.mov", "not a movie"}, {"cam.avi", "#clip 0.5 -c:v mjpeg"}},
     {"CreateWebVideos=True"}, "", 0,
     {{"stderr", Has, "Error Creating Web Copies: broken.mov: the file is not "
                      "a movie that can be read (Invalid data found"},
      {"m_broken.mp4", Absent}, {"m_cam.mp4", Has, "avc1"},
      {"cam.html", Has, "<a href=\"m_cam.mp4\">"},
      {"broken.html", Has, "<a href=\"broken.mov\">"}}},
    {"FreshWebCopiesAreKeptAndNeverListed",
     {{"old.avi", "#clip 0.5 -c:v mjpeg"}, {"m_old.mp4", "#stale"},
      {"new.avi", "#clip 0.5 -c:v mjpeg"}, {"m_new.mp4", "kept copy"}},
     {"CreateWebVideos=True", "MovieFilesToMatch=avi,mp4"}, "", 0,
     {{"m_old.mp4", Has, "avc1"}, {"m_new.mp4", Is, "kept copy"},
      {"new.html", Has, "<a href=\"m_new.mp4\">"}, {"m_new.html", Absent},
      {"stdout", Has, "Processed 2 image files"}}},
    {"RerunLeavesAnOutputFolderWithWebCopiesAsItWas",
     {{"in/cam.avi", "#clip 0.5 -c:v mjpeg"},
      {"P:info.ini", "CreateWebVideos=True\r\n"}},
     {}, "", 0,
     {{"out/m_cam.mp4", Has, "avc1"}, {"stderr", Is, ""},
      {"out/cam.html", Has, "<a href=\"m_cam.mp4\">"}},
     {"--output", "{g}/out", "{g}/in"}, {},
     {{"P:info.ini", "CreateWebVideos=True\r\n"}}, {}, {"out"}},
    {"WebCopiesGoFromAnOutputFolderWithTheOption",
     {{"in/cam.avi", "#clip 0.5 -c:v mjpeg"},
      {"P:info.ini", "CreateWebVideos=True\r\n"}},
     {}, "", 0,
     {{"out/m_cam.mp4", Absent}, {"out/cam.html", Has, "<a href=\"cam.avi\">"},
      {"stderr", Has, "m_cam.mp4: removed, no longer part of the gallery\n"}},
     {"--output", "{g}/out", "{g}/in"}, {},
     {{"P:info.ini", "CreateWebVideos=False\r\n"}}},
    {"ModeTwoMakesEveryWebCopyAgain",
     {{"a.avi", "#clip 0.5 -c:v mjpeg"}, {"m_a.mp4", "kept copy"}},
     {"CreateWebVideos=True", "ThumbnailCreateMode=2"}, "", 0,
     {{"m_a.mp4", Has, "avc1"}}},
    {"ModeZeroMakesNoWebCopy", {{"a.avi", "#clip 0.5 -c:v mjpeg"}},
     {"CreateWebVideos=True", "ThumbnailCreateMode=0"}, "", 0,
     {{"m_a.mp4", Absent}, {"a.html", Has, "<a href=\"a.avi\">"}}},
    {"FolderAnsweredNoGetsNoWebCopies",
     {{"a.avi", "#clip 0.5 -c:v mjpeg"}, {"index.html", "old"}},
     {"CreateWebVideos=True", "OverwriteExistingFiles=False"}, "n\n", 0,
     {{"m_a.mp4", Absent}, {"index.html", Is, "old"}}},
    {"WebCopiesWithoutFfmpegSayItOnce",
     {{"a.avi", "#clip 0.5 -c:v mjpeg"}, {"sub/b.avi", "#clip 0.5 -c:v mjpeg"}},
     {"CreateWebVideos=True"}, "", 0,
     {{"stderr", Count, "1 ffmpeg was not found; movies get no web copies"},
      {"m_a.mp4", Absent}, {"sub/b.html", Has, "<a href=\"b.avi\">"}},
     {"{g}"}, {"PATH=/nonexistent"}},
    {"MidSizeCopiesForLargePicturesAndThoseBrowsersCannotShow",
     {{"big.jpg", "#1200x900"}, {"small.jpg", "#400x300"},
      {"photo.tif", "#300x200"}, {"pic.jpg", "#1000x800"},
      {"pic.png", "#1000x800"}, {"m_own.jpg", "#40x30"},
      {"bad.jpg", "#corrupt"}, {"m_blocked.jpg/", ""},
      {"blocked.jpg", "#1000x800"}},
     {"CreateMidSizeFiles=True", "TargetResolutionIndex=1",
      "PictureFilesToMatch=jpg,png,tif"},
     "", 0,
     {{"m_big.jpg", Size, "647x485"}, {"m_big.jpg", Format, "JPEG"},
      {"big.html", Has, "<a href=\"big.jpg\"><IMG SRC=\"m_big.jpg\" "
                        "WIDTH=647 HEIGHT=485></a>"},
      {"m_small.jpg", Absent}, {"small.html", Has, "<IMG SRC=\"small.jpg\">"},
      {"m_photo.jpg", Size, "300x200"}, {"m_photo.jpg", Format, "JPEG"},
      {"t_photo.jpg", Format, "JPEG"}, {"t_photo.tif", Absent},
      {"photo.html", Has, "<IMG SRC=\"m_photo.jpg\" WIDTH=300 HEIGHT=200>"},
      {"m_pic.jpg.jpg", Exists}, {"m_pic.png.jpg", Exists},
      {"m_own.html", Absent}, {"index.html", Lacks, "m_big"},
      {"t_blocked.jpg", Exists},
      {"stderr", Has, "Error Creating Thumbnails: blocked.jpg: the mid-size "
                      "copy m_blocked.jpg cannot be written"},
      {"stderr", Count, "1 Error Creating Thumbnails: bad.jpg"},
      {"stdout", Has, "Processed 7 image files"}}},
    {"MidSizeCopiesFollowTheCreateMode",
     {{"m_old.jpg", "#20x10"}, {"old.jpg", "#1200x900"},
      {"new.jpg", "#1200x900"}, {"m_new.jpg", "#20x10"}},
     {"CreateMidSizeFiles=True", "TargetResolutionIndex=1"}, "", 0,
     {{"m_old.jpg", Size, "647x485"}, {"m_new.jpg", Size, "20x10"},
      {"new.html", Has, "<IMG SRC=\"m_new.jpg\" WIDTH=20 HEIGHT=10>"}}},
    {"ModernStyle",
     {{"a.jpg", "#1200x900"}, {"b.jpg", "#600x400"}, {"clip.mp4", "#clip 1"},
      {"other.avi", "#clip 1"}, {"Sub/c.jpg", "#400x300"},
      {"Sub/Deep/d.jpg", "#40x30"},
      {"Sub/orvanta.css", "/* not the root's */"},
      {"DirInfo.txt", "DirectoryTitle=Trip & <i>sun</i>\r\n"
                      "DirectoryDescription=Family \"trip\"\r\n"
                      "SidebarPictureName=b.jpg\r\n"
                      "a.jpg=The <b>bay</b>\r\n"}},
     {}, "", 0,
     {{"P:ModernIndexTemplate.html", Exists},
      {"P:ModernPictureTemplate.html", Exists},
      {"orvanta.css", Exists}, {"orvanta.js", Exists},
      {"Sub/orvanta.css", Is, "/* not the root's */"},
      {"index.html", Has, "<meta name=\"description\" content=\"Family "
                          "&quot;trip&quot;\">"},
      {"index.html", Has, "<li><figure><a href=\"a.html\" name=\"navNext\">"
                          "<img src=\"t_a.jpg\" alt=\"The bay\" width=\"300\" "
                          "height=\"225\" loading=\"lazy\"></a><figcaption>The "
                          "<b>bay</b></figcaption></figure></li>"},
      {"index.html", Has, "<span class=\"play\">Movie</span>"},
      {"index.html", Has, "<figure class=\"sidebar\"><img src=\"t_b.jpg\" "
                          "alt=\"\" width=\"300\" height=\"200\">"},
      {"index.html", Has, "<li><a href=\"Sub/index.html\"><img src=\"Sub/"
                          "t_c.jpg\" alt=\"c\" width=\"300\" height=\"225\" "
                          "loading=\"lazy\"><span class=\"name\">Sub</span> "
                          "<span class=\"count\">1 photo \u00b7 1 folder</span></a></li>\r\n"
                          "</ul>\r\n</div>"},
      {"index.html", Lacks, "og:"}, {"index.html", Lacks, "canonical"},
      {"feed.atom", Absent}, {"sitemap.xml", Absent},
      {"index.html", Has, "<p class=\"description\">Family \"trip\"</p>"},
      {"Sub/index.html", Has, "<h1>Sub</h1>"},
      {"Sub/Deep/index.html", Has, "<ol><li><a href=\"../../index.html\">Trip "
                                   "& <i>sun</i></a></li><li><a href=\"../"
                                   "index.html\" name=\"navIndex\">Sub</a>"},
      {"a.html", Has, "<a class=\"shot\" href=\"a.jpg\"><img src=\"m_a.jpg\" "
                      "srcset=\"m_a-half.jpg 324w, m_a.jpg 647w\" sizes=\""
                      "(max-width: 671px) calc(100vw - 1.5rem), 647px\" "
                      "alt=\"The bay\" width=\"647\" height=\"485\" "
                      "fetchpriority=\"high\"></a>"},
      {"m_a-half.jpg", Size, "324x243"},
      {"a.html", Has, "<span class=\"dims\">1200 \u00d7 900</span>"},
      {"clip.html", Has, "<video class=\"shot\" controls preload=\"metadata\" "
                         "poster=\"t_clip.jpg\" width=\"300\" height=\"225\">"},
      {"clip.html", Has, "<source src=\"clip.mp4\" type=\"video/mp4\">"},
      {"other.html", Has, "<a class=\"shot clip\" href=\"other.avi\" "
                          "download><img src=\"t_other.jpg\""},
      {"t_a.jpg", Size, "300x225"}, {"stderr", Is, ""}},
     {"--style", "modern", "--set", "TargetResolutionIndex=1",
      "--set", "MovieFilesToMatch=mp4,avi", "{g}"}},
    {"FolderCardsShowCoversAndCounts",
     {{"Side/DirInfo.txt", "SidebarPictureName=s.jpg\r\n"
                           "SidebarPictureCaption=Sun \"set\"\r\n"},
      {"Side/s.jpg", "#40x30"}, {"Side/a.jpg", "#40x30"},
      {"Side/b.jpg", "#40x30"}, {"Gone/DirInfo.txt", "SidebarPictureName=x\r\n"
                                                    "c.jpg=C <b>1</b>\r\n"},
      {"Gone/c.jpg", "#40x30"}, {"A&B #1/Deeper/x y.jpg", "#40x30"},
      {"A&B #1/Deeper/Deepest/z.jpg", "#40x30"},
      {"Clips/a.mp4", "#clip 1"}, {"Clips/b.mp4", "#clip 1"},
      {"Clips/c.jpg", "#40x30"}, {"Empty/", ""}},
     {}, "", 0,
     {{"index.html", Has, "<a href=\"Side/index.html\"><img src=\"Side/t_s."
                          "jpg\" alt=\"Sun &quot;set&quot;\" width=\"300\" "
                          "height=\"225\" loading=\"lazy\"><span class=\"name"
                          "\">Side</span> <span class=\"count\">2 photos</span>"},
      {"index.html", Has, "<img src=\"Gone/t_c.jpg\" alt=\"C 1\""},
      {"index.html", Has, "<a href=\"A%26B%20%231/index.html\"><img src=\"A%26"
                          "B%20%231/Deeper/t_x%20y.jpg\" alt=\"x y\""},
      {"index.html", Has, "<span class=\"count\">1 folder</span>"},
      {"A&B #1/index.html", Has, "1 photo \u00b7 1 folder</span>"},
      {"index.html", Has, "<img src=\"Clips/t_c.jpg\""},
      {"index.html", Has, "2 clips</span>"},
      {"index.html", Has, "<li><a href=\"Empty/index.html\"><span class=\""
                          "name\">Empty</span></a></li>"}},
     {"--style", "modern", "{g}"}},
    {"LinkPreviewsAFeedAndASitemapWithAnAddress",
     {{"old.jpg", "#400x300|-DateTimeOriginal=2019:07:14 18:30:00|"
                  "-OffsetTimeOriginal=+02:00"},
      {"new.jpg", "#1200x900|-DateTimeOriginal=2021:01:01 10:00:00|"
                  "-OffsetTimeOriginal=+00:00|-XMP-dc:Title=Harbour|"
                  "-XMP-dc:Description=Boats \"at\" rest"},
      {"Sub dir/c&d.jpg", "#400x300|-DateTimeOriginal=2020:05:05 12:00:00|"
                          "-OffsetTimeOriginal=+00:00"},
      {"DirInfo.txt", "DirectoryTitle=Sea & <i>sun</i>\r\nDirectory"
                      "Description=Our \"trip\"\r\nold.jpg=Old <b>quay</b>\r\n"}},
     {"GalleryAddress=https://example.org/a&b/"}, "", 0,
     {{"index.html", Has, "<link rel=\"canonical\" href=\"https://example.org/"
                          "a&amp;b/index.html\">\r\n<link rel=\"alternate\" "
                          "type=\"application/atom+xml\" href=\"feed.atom\" "
                          "title=\"Sea & sun\">"},
      {"index.html", Has, "<meta property=\"og:description\" content=\"Our "
                          "&quot;trip&quot;\">"},
      {"index.html", Has, "image\" content=\"https://example.org/a&amp;b/"
                          "m_new.jpg\">"},
      {"new.html", Has, "<meta property=\"og:title\" content=\"Harbour\">\r\n"
                        "<meta property=\"og:description\" content=\"Boats "
                        "&quot;at&quot; rest\">\r\n<meta property=\"og:url\" "
                        "content=\"https://example.org/a&amp;b/new.html\">\r\n"
                        "<meta property=\"og:image\" content=\"https://"
                        "example.org/a&amp;b/m_new.jpg\">\r\n<meta property="
                        "\"og:image:width\" content=\"647\">\r\n<meta "
                        "property=\"og:image:height\" content=\"485\">\r\n"
                        "<meta name=\"twitter:card\" content=\"summary_large_"
                        "image\">"},
      {"old.html", Has, "content=\"Old quay\">\r\n<meta property=\"og:"
                        "description\" content=\"Our &quot;trip&quot;\">"},
      {"old.html", Has, "/t_old.jpg\">\r\n<meta property=\"og:image:width\" "
                        "content=\"300\">"},
      {"Sub dir/c&d.html", Has, "href=\"https://example.org/a&amp;b/Sub%20dir/"
                                "c%26d.html\">\r\n<link rel=\"alternate\" type="
                                "\"application/atom+xml\" href=\"../feed.atom"},
      {"feed.atom", Valid}, {"sitemap.xml", Valid},
      {"feed.atom", Before, "b/new.html | Sub%20dir/c%26d.html"},
      {"feed.atom", Before, "c%26d.html | b/old.html"},
      {"feed.atom", Has, "<title>Sea &amp; sun</title>"},
      {"feed.atom", Has, "<updated>2021-01-01T10:00:00Z</updated>\r\n<author>"},
      {"feed.atom", Has, "<title>Old quay</title>\r\n<link rel=\"alternate\" "
                         "type=\"text/html\" href=\"https://example.org/a&amp;"
                         "b/old.html\"/>\r\n<id>https://example.org/a&amp;b/"
                         "old.html</id>\r\n<updated>2019-07-14T16:30:00Z</"
                         "updated>\r\n<summary type=\"html\">&lt;img src=&quot;"
                         "https://example.org/a&amp;amp;b/t_old.jpg&quot; alt="
                         "&quot;Old quay&quot;&gt;</summary>"},
      {"sitemap.xml", Count, "5 <url><loc>https://example.org/a&amp;b/"},
      {"sitemap.xml", Has, "<loc>https://example.org/a&amp;b/Sub%20dir/index"
                           ".html</loc>"}, {"stderr", Is, ""}},
     {"--style", "modern", "--set", "TargetResolutionIndex=1", "{g}"}},
    {"ClassicPagesWithAnAddressGetTheFeedButNoPreviews", {{"a.jpg", "#40x30"}},
     {"GalleryAddress=http://example.org/"}, "", 0,
     {{"index.html", Lacks, "og:"}, {"index.html", Has, "<TABLE>"},
      {"feed.atom", Has, "<id>http://example.org/a.html</id>"},
      {"sitemap.xml", Has, "<loc>http://example.org/a.html</loc>"}}},
    {"AnAddressThatIsNoWebFolderIsAUsageError", {},
     {"GalleryAddress=https://example.org/photos"}, "", 2,
     {{"stderr", Has, "--set GalleryAddress=https://example.org/photos: "
                      "GalleryAddress takes an http:// or https:// address "
                      "ending in /"}}},
    {"OpenShowsTheGalleryInTheBrowser",
     {{"Trip #1/a.jpg", "#40x30"},
      {"P:xdg-open", "#!/bin/sh\necho \"$@\" > {p}/url\n"}},
     {}, "", 0, {{"P:url", Is, "file://{g}/Trip%20%231/index.html\n"},
                 {"stdout", Has, "Root page: file://{g}/Trip%20%231/index.html"}},
     {"--open", "{g}/Trip #1"}, {"PATH={p}:/usr/bin:/bin"}},
    {"OpenSaysWhenNoBrowserCanBeStarted", {{"a.jpg", "#40x30"}}, {}, "", 0,
     {{"stderr", Is, "orvanta-cli: --open: the gallery could not be opened "
                     "(xdg-open: No such file or directory)\n"},
      {"stdout", Is, kCreated + "1 image files in 1 folder.\n" + kRootPage}},
     {"--open", "{g}"}, {"PATH=/nonexistent"}},
    {"ClassicStyleForOneRun",
     {{"P:info.ini", "IndexTemplateFile=ModernIndexTemplate.html\r\n"},
      {"a.jpg", "#40x30"}},
     {}, "", 0,
     {{"index.html", Has, "<TABLE>"}, {"orvanta.css", Absent},
      {"P:info.ini", Has, "IndexTemplateFile=ModernIndexTemplate.html"}},
     {"--style", "classic", "{g}"}},
    {"LargeFoldersTakeSeveralIndexPages",
     {{"a.jpg", "#40x30"}, {"b.jpg", "#40x30"}, {"c.jpg", "#40x30"},
      {"d.jpg", "#40x30"}, {"index-2.jpg", "#40x30"},
      {"index-4.html", "<meta name=\"generator\" content=\"Orvanta\">"},
      {"index-5.html", "the user's own page"}},
     {"PicturesPerPage=2"}, "", 0,
     {{"index.html", Count, "2 <figure>"}, {"index.html", Lacks, "rel=\"prev"},
      {"index.html", Has, "<a href=\"index-2.html\" rel=\"next\">Next page"},
      {"index.html", Has, "<a href=\"index.html\" aria-current=\"page\">1"},
      {"index-2.html", Has, "<title>gallery \u2013 page 2 of 3</title>"},
      {"index-2.html", Has,
       "<li id=\"c.jpg\"><figure><a href=\"c.html\" name=\"navNext\">"},
      {"index-2.html", Has, "<a href=\"d.html\" name=\"navPrevious\">"},
      {"index-2.html", Has, "<a href=\"index.html\" rel=\"prev\">"},
      {"index-2.html", Lacks, "class=\"folders\""},
      {"index-3.html", Count, "1 <figure>"},
      {"index-3.html", Has, "href=\"index-2.jpg.html\""},
      {"index-3.html", Lacks, "rel=\"next"},
      {"c.html", Has, "<a href=\"index-2.html#c.jpg\" name=\"navIndex\">"},
      {"index-4.html", Absent}, {"index-5.html", Exists}},
     {"--style", "modern", "{g}"}},
    {"LaterIndexPagesHaveTheirOwnPreviewsAndSitemapLines",
     {{"a.jpg", "#40x30"}, {"b.jpg", "#40x30"}, {"c.jpg", "#40x30"}},
     {"PicturesPerPage=2", "GalleryAddress=https://example.org/"}, "", 0,
     {{"index-2.html", Has, "<link rel=\"canonical\" href=\"https://"
                            "example.org/index-2.html\">"},
      {"index-2.html", Has, "\"og:title\" content=\"gallery/ \u2013 page 2 "
                            "of 2\">"},
      {"index-2.html", Has, "\"og:image\" content=\"https://example.org/"
                            "t_c.jpg\">"},
      {"sitemap.xml", Has, "<loc>https://example.org/index-2.html</loc>"},
      {"sitemap.xml", Count, "5 <url>"}, {"sitemap.xml", Valid}},
     {"--style", "modern", "{g}"}},
    {"ClassicKeepsOneIndexPage",
     {{"a.jpg", "#40x30"}, {"b.jpg", "#40x30"}, {"c.jpg", "#40x30"}},
     {"PicturesPerPage=2"}, "", 0,
     {{"index-2.html", Absent}, {"c.html", Has, "href=\"index.html\" name"}}},
    {"StyleChosenByName",
     {{"a.jpg", "#400x300"}},
     {"PageStyle=modern"}, "", 0,
     {{"orvanta.css", Exists}, {"t_a.jpg", Size, "300x225"}}},
    {"ModernListsPicturesBrowsersCannotShow",
     {{"P:info.ini", "PictureFilesToMatch=jpg,png\r\n"},
      {"a.heic", "#400x300"}, {"b.tif", "#400x300"}},
     {}, "", 0,
     {{"a.html", Has, "m_a.jpg"}, {"b.html", Exists},
      {"index.html", Has, "t_b.jpg"}},
     {"--style", "modern", "{g}"}},
    {"UnknownStyleIsAUsageError", {}, {}, "", 2,
     {{"stderr", Has, "--style takes classic or modern, not \"fancy\""}},
     {"--style", "fancy", "{g}"}},
    {"ModernPagesShowWhatPicturesSayOfThemselves",
     {{"exif.jpg", "#400x300|-DateTimeOriginal=2019:07:14 18:30:00|"
                   "-OffsetTimeOriginal=+02:00|-ImageDescription=Harbour at "
                   "dusk|-Make=Canon|-Model=Canon EOS 5D"},
      {"iptc.jpg", "#400x300|-IPTC:ObjectName=Old town|"
                   "-IPTC:Caption-Abstract=Market day"},
      {"xmp.jpg", "#400x300|-XMP-dc:Title=Lighthouse|"
                  "-XMP-dc:Description=Storm <coming>"},
      {"junk.jpg", "#400x300|-ImageDescription=OLYMPUS DIGITAL CAMERA"},
      {"told.jpg", "#400x300|-XMP-dc:Title=The camera's title"},
      {"DirInfo.txt", "told.jpg=Our <b>boat</b>\r\n"}},
     {"MovieFilesToMatch=mov"}, "", 0,
     {{"exif.html", Has, "<p class=\"details\"><time datetime=\"2019-07-14T"
                         "18:30:00+02:00\">Sunday, July 14, 2019, 6:30 pm</time> "
                         "<span class=\"camera\">Canon EOS 5D</span> <a "},
      {"exif.html", Has, "<h1>Harbour at dusk</h1>"},
      {"iptc.html", Has, "<h1>Old town</h1>"},
      {"iptc.html", Has, "<p class=\"caption\">Market day</p>"},
      {"xmp.html", Has, "<p class=\"caption\">Storm &lt;coming&gt;</p>"},
      {"index.html", Has, "alt=\"Lighthouse\""},
      {"index.html", Has, "<figcaption>Lighthouse</figcaption>"},
      {"junk.html", Has, "<h1>junk</h1>"}, {"junk.html", Lacks, "OLYMPUS"},
      {"told.html", Has, "<h1>Our <b>boat</b></h1>"},
      {"told.html", Lacks, "camera's title"}},
     {"--style", "modern", "{g}"}},
    {"BidiOverridesAndControlsStayOffPages",
     {{"abc\u202Egnp.jpg", "#40x30"},
      {"words.txt", "Harbour\x01 at \u202Egpj.exe\0junk"s},
      {"m.jpg", "#40x30|-EXIF:ImageDescription<={g}/words.txt"}},
     {}, "", 0,
     {{"index.html", Lacks, "\u202E"}, {"m.html", Lacks, "\u202E"},
      {"abc\u202Egnp.html", Lacks, "\u202E"},
      {"index.html", Has, "<a href=\"abc%E2%80%AEgnp.html\""},
      {"index.html", Has, "alt=\"abcgnp\""},
      {"abc\u202Egnp.html", Has, "href=\"abc%E2%80%AEgnp.jpg\""},
      {"m.html", Has, "<h1>Harbour at gpj.exe</h1>"}},
     {"--style", "modern", "{g}"}},
    {"BrokenAndHugeMetadataBlocks",
     // A packet of 200 KB is read; one of 1 MB is not (nor its title).
     {{"words.txt", "#repeat 200000 a long long caption "},
      {"more.txt", "#repeat 1048576 a long long caption "},
      {"huge.png", "#400x300|-XMP-dc:Title=Big|-XMP-dc:Description<="
                   "{g}/words.txt|-EXIF:Model=Camera 1"},
      {"huge.tif", "#400x300|-XMP-dc:Title=Big too|-XMP-dc:Description<="
                   "{g}/more.txt|-EXIF:Model=Camera 3"},
      {"broken.jpg", "#400x300|-DateTimeOriginal=2019:07:14 18:30:00|"
                     "-Model=Camera 2|-XMP-dc:Title=Kept|break-exif"}},
     {"PictureFilesToMatch=jpg,png,tif"}, "", 0,
     {{"stderr", Is, ""},
      {"huge.png.html", Has, "<h1>Big</h1>"},
      {"huge.png.html", Has, "<span class=\"camera\">Camera 1</span>"},
      {"huge.png.html", Has, "<p class=\"caption\">a long long caption a long"},
      {"huge.png.html", Has, "a long long capti\u2026</p>"},
      {"huge.png.html", Count, "200 long long"},
      {"huge.tif.html", Lacks, "Big too"},
      {"huge.tif.html", Has, "<span class=\"camera\">Camera 3</span>"},
      {"broken.html", Has, "<h1>Kept</h1>"},
      {"broken.html", Lacks, "<time"}, {"broken.html", Lacks, "Camera 2"}},
     {"--style", "modern", "{g}"}},
    {"ClassicPagesStayAsTheyWere",
     {{"exif.jpg", "#400x300|-DateTimeOriginal=2019:07:14 18:30:00|"
                   "-ImageDescription=Harbour at dusk"},
      {"b.jpg", "#40x30|-DateTimeOriginal=2019:07:15 08:00:00"}},
     {}, "", 0,
     {{"exif.html", Lacks, "Harbour"}, {"exif.html", Lacks, "2019"},
      {"index.html", Before, "b.html | exif.html"}}},
    {"SortByDateTakenThenByTheFilesTime",
     {{"a.jpg", "#40x30|-DateTimeOriginal=2020:01:01 12:00:00"},
      {"b.jpg", "#40x30|-DateTimeOriginal=2020:01:01 10:00:00"},
      {"c.jpg", "#40x30|-FileModifyDate=2020:01:01 11:00:00+00:00"},
      {"d.jpg", "#40x30|-DateTimeOriginal=2020:01:01 11:00:00|"
                "-OffsetTimeOriginal=+02:00"},
      {"e.jpg", "#40x30|-DateTimeOriginal=2020:01:01 12:00:00"}},
     {"SortByDateTaken=True"}, "", 0,
     {{"index.html", Before, "d.html | b.html"},
      {"index.html", Before, "b.html | c.html"},
      {"index.html", Before, "c.html | a.html"},
      {"index.html", Before, "a.html | e.html"},
      {"b.html", Has, "<a href=\"c.html\" name=\"navNext\">"}},
     {"{g}"}, {"TZ=UTC"}},
    {"EveryDateShownAsPreciseAsItIsAndSortedByIt",
     {{"month.jpg", "#40x30|-XMP-photoshop:DateCreated=2020:07"},
      {"scan.jpg", "#40x30|-IPTC:DateCreated=2020:06:15"},
      {"clip.mp4", "#clip 1 -pix_fmt yuv420p -metadata "
                   "creation_time=2019-05-01T10:20:30.000000Z"},
      {"apple.mp4", "#clip 1 -pix_fmt yuv420p -movflags use_metadata_tags "
                    "-metadata creation_time=2019-05-01T10:20:30Z -metadata "
                    "com.apple.quicktime.creationdate=2019-05-01T12:20:30+0200"},
      {"phone.heic", "#64x48|-DateTimeOriginal=2018:03:04 09:10:00|-Make=Apple"
                     "|-Model=iPhone 12|-ImageDescription=Ferry"}},
     {"SortByDateTaken=True", "GalleryAddress=https://example.org/",
      "PictureFilesToMatch=jpg, heic", "MovieFilesToMatch=mp4"}, "", 0,
     {{"phone.html", Has, "<time datetime=\"2018-03-04T09:10:00\">Sunday, "
                          "March 4, 2018, 9:10 am</time> <span class=\"camera"
                          "\">Apple iPhone 12</span>"},
      {"phone.html", Has, "<h1>Ferry</h1>"},
      {"clip.html", Has, "<time datetime=\"2019-05-01T10:20:30+00:00\">"
                         "Wednesday, May 1, 2019, 10:20 am</time>"},
      {"apple.html", Has, "<time datetime=\"2019-05-01T12:20:30+02:00\">"
                          "Wednesday, May 1, 2019, 12:20 pm</time>"},
      {"scan.html", Has, "<time datetime=\"2020-06-15\">June 15, 2020</time>"},
      {"month.html", Has, "<time datetime=\"2020-07\">July 2020</time>"},
      {"index.html", Before, "phone.html | clip.html"},
      {"index.html", Before, "clip.html | scan.html"},
      {"index.html", Before, "scan.html | month.html"},
      {"feed.atom", Valid},
      {"feed.atom", Has, "scan.html</id>\r\n<updated>2020-06-15T00:00:00Z"},
      {"feed.atom", Has, "month.html</id>\r\n<updated>2020-07-01T00:00:00Z"}},
     {"--style", "modern", "{g}"}, {"TZ=Europe/Berlin"}},
    {"ClassicSortsClipsByWhenTheyWereRecorded",
     {{"a.jpg", "#40x30|-DateTimeOriginal=2019:07:14 18:30:00"},
      {"clip.mp4", "#clip 1 -pix_fmt yuv420p -metadata "
                   "creation_time=2001-02-03T04:05:06Z"}},
     {"SortByDateTaken=True", "MovieFilesToMatch=mp4"}, "", 0,
     {{"index.html", Before, "clip.html | a.html"}}},
    {"TemplateListingTwiceBuildsEachFolderOnce",
     {{"P:IndexTemplate.html", "<html>\r\n%SubdirNav%\r\n%Thumbnails%\r\n"
                               "%SubdirNav%\r\n%Thumbnails%\r\n</html>\r\n"},
      {"a.jpg", "#40x30"}, {"sub/b.jpg", "#40x30"}, {"a.html", "old"}},
     {"OverwriteExistingFiles=False"}, "y\n", 0,
     {{"stdout", Is,
      kCreated + "2 image files in 2 folders.\n" + kRootPage},
      {"stderr", Count, "1 Overwrite file?"}, {"a.html", Has, "a.jpg"},
      {"index.html", Count, "2 <a href=\"sub/index.html\">"},
      {"index.html", Count, "2 <a href=\"a.html\""}}},
    {"SupportFilesThatCannotBeWrittenFailTheRun",
     {{"a.jpg", "#40x30"}, {"NavFunctions.js/", ""}}, {}, "", 3,
     {{"stderr", Has, "Error Creating Javascript Navigation File File: Is a "
                      "directory"},
      {"stderr", Has, "({g}/NavFunctions.js)"}, {"stdout", Has, kAborted},
      {"index.html", Absent}, {"t_a.jpg", Absent}}},
    {"StyleFilesThatCannotBeWrittenFailTheRun",
     {{"a.jpg", "#40x30"}, {"orvanta.css/", ""}}, {}, "", 3,
     {{"stderr", Has, "Error Creating Page Style File: Is a directory"},
      {"stderr", Has, "({g}/orvanta.css)"}, {"index.html", Absent}},
     {"--style", "modern", "{g}"}},
    {"LinksWhereFilesGoAreReplacedNeverWrittenThrough",
     {{"P:keys", "secret"}, {"P:page", "old page"}, {"P:thumb", "no picture"},
      {"P:copy.jpg", "#40x30"},
      {"DirInfo.txt", "DirectoryTitle=ssh-ed25519 AAAAC3 attacker\r\n"},
      {"index.html", "->../program/keys"}, {"a.html", "->../program/page"},
      {"a.jpg", "#40x30"}, {"t_a.jpg", "->../program/thumb"},
      {"m_c.jpg", "->../program/copy.jpg"}, {"c.jpg", "#1200x900"},
      {"d.jpg", "#40x30"}, {"d.html", "->/dev/full"},
      {"sub/b.jpg", "#40x30"}, {"sub/index.html", "->../../program/gone"}},
     {"ThumbnailCreateMode=2", "CreateMidSizeFiles=True",
      "TargetResolutionIndex=1"}, "", 0,
     {{"P:keys", Is, "secret"}, {"P:page", Is, "old page"},
      {"P:thumb", Is, "no picture"}, {"P:copy.jpg", Size, "40x30"},
      {"P:gone", Absent}, {"index.html", Has, "<H2>ssh-ed25519"},
      {"a.html", Has, "a.jpg"}, {"t_a.jpg", Size, "150x113"},
      {"m_c.jpg", Size, "647x485"}, {"d.html", Has, "d.jpg"},
      {"sub/index.html", Has, "b.html"}, {"stderr", Is, ""},
      {"stdout", Is,
      kCreated + "4 image files in 2 folders.\n" + kRootPage}}},
    {"FifosWhereFilesGoAreListedAndLeftAlone",
     {{"index.html", "#fifo"}, {"b.jpg", "#40x30"}, {"t_b.jpg", "#fifo"}},
     {}, "", 0,
     {{"stderr", Has, "t_b.jpg: not a regular file, left alone\n"},
      {"stderr", Has, "\nindex.html: not a regular file, left alone\n"},
      {"b.html", Exists}, {"stdout", Has, kCreated + "1 image files"}}},
    {"UsersOwnPicturesNamedLikeCopiesAreKept",
     {{"m_beach.jpg", "#1200x900"}, {"beach.jpg", "#1600x1200"}},
     {"CreateMidSizeFiles=True", "TargetResolutionIndex=1"}, "", 0,
     {{"m_beach.jpg", Size, "1200x900"}, {"beach.html", Lacks, "m_beach"},
      {"stderr", Has, "Error Creating Thumbnails: beach.jpg: m_beach.jpg was "
                      "kept (at 1200 x 900 it is larger than a web-size copy, "
                      "so it is not one this program made)"}}},
    {"RemakingAfterAStyleSwitchTakesTheRecordedFilesForOurs",
     {{"a.jpg", "#400x300"}, {"t_b.jpg", "#400x300"}, {"b.jpg", "#400x300"}},
     {"ThumbnailCreateMode=2"}, "", 0,
     {{"t_a.jpg", Size, "150x113"}, {"t_b.jpg", Size, "400x300"},
      {"stderr", Lacks, "t_a.jpg was kept"},
      {"stderr", Has, "t_b.jpg was kept"}},
     {"--style", "modern", "{g}"}, {}, {{"x.txt", "x"}},
     {"--style", "classic", "{g}"}},
    {"FilesNamedLikeCopiesAreNeverListed",
     {{"a.jpg", "#40x30"}, {"m_a.jpg", "#40x30"}, {"m_bob.jpg", "#40x30"},
      {"m_a-half-2.jpg", "#40x30"}},
     {}, "", 0,
     {{"stdout", Has, kCreated + "1 image files"}, {"m_a.html", Absent},
      {"t_m_bob.jpg", Absent}, {"stderr", Lacks, "m_a"},
      {"stderr", Has, "m_bob.jpg is named like a web-size copy and is not "
                      "shown; rename it or change the prefix\n"}}},
    {"PrefixesLeavingTheFolderAreUsageErrors", {}, {"MidSizeFilePrefix=../"},
     "", 2,
     {{"stderr", Has, "MidSizeFilePrefix cannot hold /, \\, .. or a NUL "
                      "character"}}},
    {"PrefixesLeavingTheFolderFallBackInInfoIni",
     {{"P:info.ini", "ThumbnailFilePrefix=../x\r\nMidSizeFilePrefix=a/\r\n"
                     "CreateMidSizeFiles=True\r\n"},
      {"a.jpg", "#1200x900"}},
     {}, "", 0, {{"t_a.jpg", Exists}, {"m_a.jpg", Exists}}},
    {"OutputFolderKeepsTheInputAsItWasAndLinksStayInside",
     {{"in/a.jpg", "#1200x900"}, {"in/Sub/b.png", "#300x200"},
      {"in/s.jpg", "#40x30"}, {"in/clip.mov", "#clip 1"},
      {"in/bad.mov", "not a movie"},
      {"in/DirInfo.txt", "SidebarPictureName=s.jpg\r\n"}},
     {}, "", 0,
     {{"stdout", Is, kCreated + "4 image files in 2 folders.\n" +
                           "Root page: file://{g}/out/index.html\n"},
      {"stderr", Has, "\nbad.mov: the file is not a movie that can be read"},
      {"stderr", Has, "; not published\n"}, {"out/bad.mov", Absent},
      {"out/a.jpg", Size, "1200x900"},
      {"out/t_a.jpg", Size, "150x113"}, {"out/Sub/t_b.png", Size, "150x100"},
      {"out/s.jpg", Exists}, {"out/clip.mov", Exists},
      {"out/NavFunctions.js", Exists}, {"out/DirInfo.txt", Absent},
      {"out/index.html", Has, "<img src=\"s.jpg\""},
      {"out/Sub/b.html", Has, "<IMG SRC=\"b.png\">"},
      {"out/.orvanta-written", Has, " Sub/b.html\n"}},
     {"--output", "{g}/out", "{g}/in"}, {}, {}, {}, {"in"}},
    {"OutputFolderForTheModernStyle",
     {{"in/a.jpg", "#1200x900"}, {"in/b.jpg", "#1200x900"},
      {"in/clip.mp4", "#clip 1"}, {"in/Sub/c.jpg", "#40x30"}},
     {}, "", 0,
     {{"out/index.html", Has, "<img src=\"Sub/t_c.jpg\" alt=\"c\" "
                              "width=\"300\" height=\"225\""},
      {"out/orvanta.css", Exists}, {"out/m_a.jpg", Size, "1191x893"},
      {"out/m_a-half.jpg", Size, "596x447"}, {"out/m_b-half.jpg", Absent},
      {"stderr", Has, "m_b-half.jpg: removed, no longer part of the gallery"},
      {"out/.orvanta-written", Has, " m_a-half.jpg\n"},
      {"out/clip.mp4", Exists}, {"out/t_clip.jpg", Exists},
      {"out/clip.html", Has, "<source src=\"clip.mp4\""}},
     {"--style", "modern", "--set", "MovieFilesToMatch=mp4", "--output",
      "{g}/out", "{g}/in"}, {},
     {{"in/b.jpg", "#gone"}, {"out/m_a-half.jpg", "#gone"}}, {}, {"in"}},
    {"ModernCopiesComeInTwoSizesEachNamedApart",
     {{"a.jpg", "#1600x1200"}, {"a-half.jpg", "#1600x1200/6"},
      {"p.png", "#2000x1000"}},
     {}, "", 0,
     {{"m_a.jpg", Size, "1191x893"}, {"m_a-half-2.jpg", Size, "596x447"},
      {"m_p.jpg", Size, "1786x893"}, {"m_p-half.jpg", Size, "893x447"},
      {"m_a-half.jpg", Size, "670x893"}, {"m_a-half-half.jpg", Size, "335x447"},
      {"a.html", Has, "<img src=\"m_a.jpg\" srcset=\"m_a-half-2.jpg 596w, "
                      "m_a.jpg 1191w\" sizes=\"(max-width: 1215px) calc(100vw "
                      "- 1.5rem), 1191px\" alt=\"a\" width=\"1191\" "
                      "height=\"893\""},
      {"a-half.html", Has, "srcset=\"m_a-half-half.jpg 335w, m_a-half.jpg "
                           "670w\""},
      {"stderr", Is, ""}},
     {"--style", "modern", "{g}"}, {},
     {{"m_a-half-2.jpg", "#gone"}, {"m_a-half-half.jpg", "#2000x1500"}},
     {"--style", "modern", "--set", "ThumbnailCreateMode=2", "{g}"}},
    {"OutputFolderInsideTheInputIsRefused",
     {{"in/a.jpg", "#40x30"}, {"link", "->in"}}, {}, "", 1,
     {{"stderr", Is, "Invalid Output Folder: The output folder "
                     "{g}/link/../in/web is inside the input folder {g}/in.  "
                     "Please choose a folder outside it.\n"}},
     {"--output", "{g}/link/../in/web", "{g}/in"}, {}, {}, {}, {""}},
    {"OutputFolderThatIsTheInputIsRefused",
     {{"in/a.jpg", "#40x30"}, {"link", "->in"}}, {}, "", 1,
     {{"stderr", Has, "The output folder {g}/link is the input folder {g}/in."}},
     {"--output", "{g}/link", "{g}/in"}, {}, {}, {}, {""}},
    {"OutputFolderAroundTheInputIsRefused", {{"in/a.jpg", "#40x30"}}, {}, "", 1,
     {{"stderr", Has, "The output folder {g}/ holds the input folder {g}/in."}},
     {"--output", "{g}/", "{g}/in"}, {}, {}, {}, {""}},
    {"OutputFolderRerunRemovesWhatIsGoneAndKeepsTheUsersFiles",
     {{"in/a.jpg", "#40x30"}, {"in/b.jpg", "#1200x900"}, {"in/d.jpg", "#1200x900"},
      {"in/Sub/c.jpg", "#40x30"}, {"out/mine.txt", "mine"},
      {"out/Sub/notes.txt", "mine"}, {"in/Gone/e.jpg", "#40x30"},
      {"P:info.ini", "CreateMidSizeFiles=True\r\n"}},
     {}, "", 0,
     {{"out/b.html", Absent}, {"out/t_b.jpg", Absent}, {"out/m_b.jpg", Absent},
      {"out/b.jpg", Absent}, {"out/m_d.jpg", Absent}, {"out/t_d.jpg", Exists},
      {"out/Gone", Absent}, {"out/Sub/c.html", Absent},
      {"out/Sub/notes.txt", Is, "mine"}, {"out/mine.txt", Is, "mine"},
      {"out/a.jpg", Size, "60x40"},
      {"stderr", Has, "b.jpg: removed, no longer part of the gallery\n"},
      {"stderr", Has, "m_d.jpg: removed, no longer part of the gallery\n"},
      {"out/.orvanta-written", Lacks, "b.html"}},
     {"--output", "{g}/out", "{g}/in"},
     {}, {{"in/b.jpg", "#gone"}, {"in/Sub/c.jpg", "#gone"}, {"in/Gone", "#gone"},
          {"in/a.jpg", "#60x40"}, {"P:info.ini", "CreateMidSizeFiles=False\r\n"}}},
    {"InPlacePruningKeepsEditedFilesAndThoseWrittenBeforeTheRecord",
     {{"a.jpg", "#40x30"}, {"y.jpg", "#40x30"}, {"z.jpg", "#40x30"},
      {"old.html", "an older run's"}, {"t_old.jpg", "an older run's"}},
     {}, "", 0,
     {{"y.html", Absent}, {"t_y.jpg", Absent}, {"t_z.jpg", Absent},
      {"z.html", Is, "edited"}, {"old.html", Exists}, {"t_old.jpg", Exists},
      {"a.html", Exists},
      {"stderr", Has, "z.html: kept, changed since this program wrote it\n"},
      {"stderr", Has, "y.html: removed, no longer part of the gallery\n"}},
     {"--prune", "{g}"}, {},
     {{"y.jpg", "#gone"}, {"z.jpg", "#gone"}, {"z.html", "edited"}}},
    {"DryRunListsWhatItWouldWriteAndRemoveAndWritesNothing",
     {{"a.jpg", "#40x30"}, {"y.jpg", "#40x30"}}, {}, "", 0,
     {{"stdout", Is, "write a.html\nwrite index.html\nremove t_y.jpg\n"
                     "remove y.html\nDry run: Nothing was written.  Processed "
                     "1 image files in 1 folder.\n"}},
     {"{g}"}, {}, {{"y.jpg", "#gone"}}, {"--dry-run", "--prune", "{g}"},
     {"", "P:"}},
    {"DryRunFromScratchMakesNoFolderNorSettings",
     {{"in/a.jpg", "#40x30"}}, {}, "", 0,
     {{"stdout", Is, "write NavFunctions.js\nwrite a.html\nwrite a.jpg\n"
                     "write index.html\nwrite t_a.jpg\nDry run: Nothing was "
                     "written.  Processed 1 image files in 1 folder.\n"},
      {"out", Absent}},
     {"--dry-run", "--output", "{g}/out", "{g}/in"}, {}, {}, {}, {"", "P:"}},
    {"PublishedOriginalsCarryNoPositionNorSerialNumbers",
     {{"in/a.jpg", "#1200x900" + kPlaced}, {"in/b.png", "#300x200" + kPlaced},
      {"in/c.heic", "#320x240" + kPlaced}, {"in/clip.mp4", kPlacedClip},
      {"in/d.jpg", "#40x30|-GPSLatitude=1|-GPSLatitudeRef=N|break-exif"},
      {"P:info.ini", "CreateMidSizeFiles=True\r\n"}},
     {"MovieFilesToMatch=mp4", "PictureFilesToMatch=jpg, png, heic"}, "", 0,
     {{"in/a.jpg", Meta, "GPSLatitude"}, {"in/clip.mp4", Meta, "GPSCoord"},
      {"in/c.heic", Meta, "GPSLatitude"},
      {"out/a.jpg", NoMeta, "GPS"}, {"out/a.jpg", NoMeta, "SerialNumber"},
      {"out/a.jpg", Meta, "Canon EOS 5D"}, {"out/a.jpg", Size, "1200x900"},
      {"out/b.png", NoMeta, "GPS"}, {"out/b.png", NoMeta, "SerialNumber"},
      {"out/c.heic", NoMeta, "GPS"}, {"out/c.heic", NoMeta, "SerialNumber"},
      {"out/clip.mp4", NoMeta, "GPS"}, {"out/m_a.jpg", NoMeta, "GPS"},
      {"out/t_a.jpg", NoMeta, "GPS"}, {"out/m_c.jpg", NoMeta, "Serial"},
      {"out/d.jpg", Absent},
      {"stderr", Has, "\nd.jpg: its location could not be removed; not "
                      "published\n"},
      {"stderr", Lacks, kPositionLine}},
     {"--output", "{g}/out", "{g}/in"}, {}, {}, {}, {"in"}},
    {"WithoutRemovalOriginalsArePublishedAsTheyAre",
     {{"in/a.jpg", "#40x30" + kPlaced}}, {"RemoveLocation=False"}, "", 0,
     {{"out/a.jpg", Meta, "GPSLatitude"}, {"stderr", Is, ""}},
     {"--output", "{g}/out", "{g}/in"}},
    {"InPlacePicturesWithAPositionAreToldOnceAndTheirFilesCarryNone",
     {{"a.jpg", "#1200x900" + kPlaced}, {"b.jpg", "#40x30" + kPlaced},
      {"c.jpg", "#40x30"}, {"P:info.ini", "CreateMidSizeFiles=True\r\n"}},
     {}, "", 0,
     {{"stderr", Is, "2" + kPositionLine}, {"a.jpg", Meta, "GPSLatitude"},
      {"m_a.jpg", NoMeta, "GPS"}, {"t_a.jpg", NoMeta, "GPS"},
      {"t_b.jpg", NoMeta, "Serial"}}},
    {"InPlaceIndexPagesLeftFromALargerFolderGoUnlessEdited",
     {{"a.jpg", "#40x30"}, {"b.jpg", "#40x30"}, {"c.jpg", "#40x30"},
      {"d.jpg", "#40x30"}, {"e.jpg", "#40x30"}},
     {"PicturesPerPage=1"}, "", 0,
     {{"index-2.html", Exists}, {"index-3.html", Absent},
      {"index-4.html", Is, "edited"}, {"index-5.html", Absent},
      {"stderr", Has, "index-3.html: removed, no longer part of the gallery"},
      {"stderr", Has, "index-4.html: kept, changed since this program"}},
     {"--style", "modern", "{g}"}, {},
     {{"c.jpg", "#gone"}, {"d.jpg", "#gone"}, {"e.jpg", "#gone"},
      {"index-4.html", "edited"}}},
    {"AlbumZipsHoldEachFolderOwnFilesStoredWithUtf8NamesAndSpareOthers",
     {{"b c.jpg", "#40x30"}, {"\u00c9t\u00e9.png", "#30x20"},
      {"Sub/d.jpg", "#40x30"}, {"Own/e.jpg", "#40x30"}, {"Own/Own.zip", "mine"}},
     {"AlbumDownloads=True"}, "", 0,
     {{"gallery.zip", Zip, "b c.jpg 0 2048 same; \u00c9t\u00e9.png 0 2048 same"},
      {"Sub/Sub.zip", Zip, "d.jpg 0 2048 same"}, {"Own/Own.zip", Is, "mine"},
      {"index.html", Has, "<a class=\"download\" href=\"gallery.zip\" "
                          "download>Download all (2 files, "},
      {"Sub/index.html", Has, "Download all (1 file, "},
      {".orvanta-written", Has, " Sub/Sub.zip\n"},
      {"stderr", Has, "Own/Own.zip: the album download was not written: a "
                      "file of that name that this program did not write"}},
     {"--style", "modern", "{g}"}},
    {"AlbumZipsAreKeptWhileTheirFilesStayAndRemadeWhenOneChanges",
     {{"a.jpg", "#40x30"}, {"Sub/d.jpg", "#40x30"}},
     {"AlbumDownloads=True"}, "", 0,
     {{"gallery.zip", Aged, "yes"}, {"Sub/Sub.zip", Aged, "no"},
      {"Sub/Sub.zip", Zip, "d.jpg 0 2048 same"}},
     {"--style", "modern", "{g}"}, {},
     {{"gallery.zip", "#age"}, {"Sub/Sub.zip", "#age"}, {"Sub/d.jpg", "#50x30"}}},
    {"AlbumZipsGoWhenSwitchedOff",
     {{"in/a.jpg", "#40x30" + kPlaced}}, {}, "", 0,
     {{"out/in.zip", Absent}, {"out/index.html", Lacks, "download"},
      {"stderr", Has, "in.zip: removed, no longer part of the gallery"}},
     {"--style", "modern", "--set", "AlbumDownloads=True", "--output",
      "{g}/out", "{g}/in"}, {}, {{"out/notes.txt", "mine"}},
     {"--style", "modern", "--output", "{g}/out", "{g}/in"}},
    {"AlbumZipsOfAnOutputFolderHoldThePublishedFiles",
     {{"in/a.jpg", "#40x30" + kPlaced}}, {"AlbumDownloads=True"}, "", 0,
     {{"out/in.zip", Zip, "a.jpg 0 2048 same"}, {"out/a.jpg", NoMeta, "GPS"}},
     {"--style", "modern", "--output", "{g}/out", "{g}/in"}},
    {"DryRunListsTheAlbumZipItWouldWrite",
     {{"a.jpg", "#40x30"}, {"b.jpg", "#1200x900"}, {"s.jpg", "#40x30"},
      {"DirInfo.txt", "SidebarPictureName=s.jpg\r\n"}},
     {"AlbumDownloads=True"}, "", 0,
     {{"stdout", Has, "write gallery.zip\n"}, {"gallery.zip", Absent},
      {"stdout", Has, "write m_b-half.jpg\nwrite m_b.jpg\n"},
      {"stdout", Has, "write t_s.jpg\n"}, {"t_s.jpg", Absent}},
     {"--dry-run", "--style", "modern", "{g}"}},
    {"LeftoversOfAKilledRunAreRemoved",
     {{".a.jpg.orvanta-Ab12Cd", "#stale"}, {".b.html.orvanta-Xy34Zw", "new"},
      {".notes.orvanta-1", "#stale"}, {"sub/.t.orvanta-000000", "#stale"}},
     {}, "", 0,
     {{".a.jpg.orvanta-Ab12Cd", Absent}, {".b.html.orvanta-Xy34Zw", Exists},
      {".notes.orvanta-1", Exists}, {"sub/.t.orvanta-000000", Absent}}},
};
// clang-format on

// The manual page describes, and the README's table names, every key that
// --help lists.
TEST(CliDocumentsTest, NameEveryKeyTheHelpLists) {
  CliRun run;
  run.args = {"--help"};
  const CliResult help = RunCli(run);
  const std::string source = std::getenv("ORVANTA_SOURCE_DIR");
  const std::string manual = ReadFile(source + "/data/orvanta-cli.1.in");
  const std::string readme = ReadFile(source + "/README.md");
  const size_t table = readme.find("| key | default | meaning |");
  const std::string keys_table =
      readme.substr(table, readme.find("\n\n", table) - table);
  std::istringstream lines(help.out.substr(help.out.find("\nThe keys of")));
  int keys = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("  ")) continue;
    const std::string key = line.substr(2, line.find('=') - 2);
    EXPECT_TRUE(manual.find("\n.B " + key + "=") != std::string::npos ||
                manual.find("\n.BI " + key + "= ") != std::string::npos)
        << key << " is not in the manual page";
    EXPECT_NE(keys_table.find(key), std::string::npos)
        << key << " is not in README.md";
    ++keys;
  }
  EXPECT_GT(keys, 30);
}

INSTANTIATE_TEST_SUITE_P(Cli, GalleryCaseTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvanta::testing
