// Tests of the command line: which switches ask for help and how often the
// help message is shown.
#include "options/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/recording_prompter.h"

namespace orvanta {
namespace {

using testing::RecordingPrompter;

TEST(CommandLineTest, HelpSwitches) {
  EXPECT_EQ(CountHelpRequests(""), 0);
  for (const char* once :
       {"/?", "/h", "/H", "/help", "-x /Help", "/-h", "/ h", "/x /h"}) {
    EXPECT_EQ(CountHelpRequests(once), 1) << once;
  }
  EXPECT_EQ(CountHelpRequests("/? /h"), 2);
  for (const char* none : {"-h", "?", "/x", "/", "//", "h/"}) {
    EXPECT_EQ(CountHelpRequests(none), 0) << none;
  }
}

TEST(CommandLineTest, OnlyTwentySwitchesAreExamined) {
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "/h";
  EXPECT_EQ(CountHelpRequests(twenty), 20);
  EXPECT_EQ(CountHelpRequests(twenty + "/h/h"), 20);
  std::string nineteen_then_help;
  for (int i = 0; i < 19; ++i) nineteen_then_help += "/x";
  EXPECT_EQ(CountHelpRequests(nineteen_then_help + "/h"), 1);
  EXPECT_EQ(CountHelpRequests(nineteen_then_help + "/x/h"), 0);
}

TEST(CommandLineTest, ShowsTheHelpMessageOncePerRequest) {
  RecordingPrompter prompter;
  ParseCommandLine("photos", prompter);
  EXPECT_TRUE(prompter.boxes.empty());
  ParseCommandLine("/? /h", prompter);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  const MessageBox& box = prompter.boxes[0];
  EXPECT_EQ(box.text,
            "This program is used to create an Orvanta.  There are no command "
            "line options.");
  EXPECT_EQ(box.title, "Orvanta");
  EXPECT_EQ(box.buttons, Buttons::kOk);
  EXPECT_EQ(box.icon, Icon::kInformation);
}

TEST(CommandLineTest, JoinsArguments) {
  char program[] = "orvanta";
  char first[] = "/h";
  char second[] = "two words";
  char* argv[] = {program, first, second};
  EXPECT_EQ(CommandLineText(3, argv), "/h two words");
  EXPECT_EQ(CommandLineText(1, argv), "");
}

}  // namespace
}  // namespace orvanta
