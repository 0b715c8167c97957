// orvanta-cli's help: the keys of --set come from the option table itself.
#include "app/cli_args.h"

#include <gtest/gtest.h>

#include "options/option_table.h"

namespace orvanta {
namespace {

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
