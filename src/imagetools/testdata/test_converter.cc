// orvanta-test-converter: a small stand-in for the external converter,
// built into <build>/tests/ for the tests. It takes the converter's
// arguments
//   source "/resample=(N,N)" "/aspectratio" "/convert=target"
// and writes the target scaled to fit inside N x N (proportions kept, EXIF
// orientation applied) in the format the target's extension names.
//
// Behaviour switches, by words in the source's file name:
//   "hang"      sleeps forever without writing;
//   "stubborn"  ignores SIGTERM, then sleeps forever without writing;
//   "crash"     aborts (SIGABRT) without writing;
//   "fail"      exits with status 1 without writing;
//   "orphan"    starts a helper process (in the converter's process group)
//               that sleeps forever, writes its pid into target + ".pid", then
//               converts normally.
// Environment:
//   ORVANTA_TEST_CONVERTER_SLEEP_MS  sleeps this many milliseconds first;
//   ORVANTA_TEST_CONVERTER_LOG       appends one line per call to this
//                                    file: the arguments separated by tabs.
// Exit status: 0 converted, 1 "fail", 2 bad arguments, 3 the picture could
// not be converted.
#include <Magick++.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

[[noreturn]] void SleepForever() {
  for (;;) pause();
}

bool NameHas(const std::string& source, const char* word) {
  size_t slash = source.find_last_of("/\\");
  std::string name =
      slash == std::string::npos ? source : source.substr(slash + 1);
  return name.find(word) != std::string::npos;
}

// Parses "/resample=(N,N)"; returns N or 0 when the text is not that.
int ParseResample(const std::string& text) {
  int width = 0;
  int height = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "/resample=(%d,%d%c", &width, &height, &end) !=
          3 ||
      end != ')' || width != height || width <= 0) {
    return 0;
  }
  return width;
}

void LogCall(int argc, char** argv) {
  const char* log = std::getenv("ORVANTA_TEST_CONVERTER_LOG");
  if (log == nullptr || *log == '\0') return;
  std::ofstream out(log, std::ios::app);
  for (int i = 1; i < argc; ++i) out << (i > 1 ? "\t" : "") << argv[i];
  out << '\n';
}

// Leaves a sleeping helper behind in this process group and records its pid.
void StartOrphan(const std::string& target) {
  pid_t helper = fork();
  if (helper == 0) SleepForever();
  std::ofstream(target + ".pid") << helper << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  LogCall(argc, argv);
  const std::string kConvert = "/convert=";
  if (argc != 5 || std::string(argv[3]) != "/aspectratio" ||
      std::string(argv[4]).rfind(kConvert, 0) != 0) {
    std::fprintf(stderr,
                 "usage: %s source /resample=(N,N) /aspectratio "
                 "/convert=target\n",
                 argv[0]);
    return 2;
  }
  std::string source = argv[1];
  std::string target = std::string(argv[4]).substr(kConvert.size());
  int size = ParseResample(argv[2]);
  if (size == 0 || target.empty()) {
    std::fprintf(stderr, "bad arguments\n");
    return 2;
  }
  if (const char* ms = std::getenv("ORVANTA_TEST_CONVERTER_SLEEP_MS")) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(ms)));
  }
  if (NameHas(source, "stubborn")) {
    signal(SIGTERM, SIG_IGN);
    SleepForever();
  }
  if (NameHas(source, "hang")) SleepForever();
  if (NameHas(source, "crash")) std::abort();
  if (NameHas(source, "fail")) return 1;
  if (NameHas(source, "orphan")) StartOrphan(target);

  try {
    Magick::InitializeMagick(argv[0]);
    Magick::Image image;
    image.quiet(true);  // warnings (a truncated JPEG) are not failures
    image.read(source);
    image.autoOrient();
    image.resize(Magick::Geometry(size, size));
    image.write(target);
  } catch (const Magick::Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 3;
  }
  return 0;
}
