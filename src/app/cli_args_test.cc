// orvanta-cli's command lines, one a row: what each asks for, or why it is
// refused; and its help, whose keys of --set come from the option table.
#include "app/cli_args.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "options/option_table.h"

namespace orvanta {
namespace {

// The parsed command line in words, or "error: REASON".
std::string Parsed(const std::vector<std::string>& args) {
  try {
    const CliArgs a = ParseCliArgs(args);
    std::string words;
    for (const auto& [on, word] : {std::pair{a.help, "help "},
                                   {a.version, "version "},
                                   {a.quiet, "quiet "},
                                   {a.prune, "prune "},
                                   {a.dry_run, "dry-run "},
                                   {a.open, "open "}}) {
      if (on) words += word;
    }
    if (a.has_input_folder) words += "in=" + a.input_folder + " ";
    if (a.has_output_folder) words += "out=" + a.output_folder + " ";
    if (!a.program_folder.empty()) words += "program=" + a.program_folder + " ";
    if (!a.style.empty()) words += "style=" + a.style + " ";
    for (const std::string& setting : a.settings)
      words += "set " + setting + " ";
    return words;
  } catch (const Error& e) {
    return std::string("error: ") + e.what();
  }
}

TEST(CliArgsTest, EachCommandLine) {
  const struct {
    std::vector<std::string> args;
    std::string parsed;
  } rows[] = {
      {{}, ""},
      {{"--help", "--version", "--quiet", "--prune", "--dry-run", "--open"},
       "help version quiet prune dry-run open "},
      {{"-h", "-q", "-n"}, "help quiet dry-run "},
      {{"--output=o", "--program-folder", "p", "--style=modern", "--set", "A=1",
        "--set=B=", "photos"},
       "in=photos out=o program=p style=modern set A=1 set B= "},
      {{"--output", "", "--program-folder=q", "--style", "classic", "-"},
       "in=- out= program=q style=classic "},
      {{"--", "--help"}, "in=--help "},
      {{"a", "b"}, "error: only one input folder may be given"},
      {{"--set", "A"}, "error: --set takes KEY=VALUE, not \"A\""},
      {{"--style"}, "error: --style needs a value"},
      {{"--outputs"}, "error: unknown option --outputs"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Parsed(row.args), row.parsed) << row.parsed;
  }
}

TEST(CliHelpTest, EndsWithEveryOptionOfTheTableAndTheValuesItTakes) {
  const std::string help = CliHelp();
  const size_t keys = help.find("\nThe keys of --set KEY=VALUE");
  ASSERT_NE(keys, std::string::npos);
  size_t last = keys;
  for (const OptionRow& row : OptionTable()) {
    const size_t at = help.find("\n  " + std::string(row.key) + "=", keys);
    ASSERT_NE(at, std::string::npos) << row.key;
    // A value of the kind shown follows the "=".
    EXPECT_NE(help[at + 4 + std::string(row.key).size()], ' ') << row.key;
    last = at;
  }
  EXPECT_EQ(help.find('\n', last + 1), help.size() - 1);
}

}  // namespace
}  // namespace orvanta
