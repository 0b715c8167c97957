// Archives checked by unzip: more members than the classic
// records count, and a member that changes while it is read.
#include "engine/output/stored_zip.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "testing/exiftool.h"
#include "testing/temp_dir.h"

namespace orvanta {
namespace {

using testing::TempDir;

TEST(StoredZipTest, MoreMembersThanTheClassicRecordsCountTakeZip64) {
  TempDir temp;
  testing::WriteFile(temp.Path("a"), "hello");
  PosixFileSystem fs;
  std::vector<ZipMember> members;
  for (int i = 0; i < 70000; ++i) {
    members.push_back({"f" + std::to_string(i), temp.Path("a"), 5, 0});
  }
  const std::string zip = temp.Path("big.zip");
  WriteStoredZip(fs, zip, members, ZipMark(members), [] { return false; });
  EXPECT_EQ(fs.Status(zip).size, StoredZipSize(members, ZipMark(members)));
  EXPECT_EQ(ReadZipComment(fs, zip), ZipMark(members));
  // unzip, unlike Python, counts the members.
  EXPECT_NO_THROW(testing::RunTool("unzip", {"-tqq", zip}));
  EXPECT_EQ(testing::RunTool("unzip", {"-p", zip, "f69999"}), "hello");
}

// Times in the DOS fields: UTC, to the even second, 1980 at the earliest.
TEST(StoredZipTest, MembersCarryTheirFilesTimes) {
  TempDir temp;
  testing::WriteFile(temp.Path("a"), "hello");
  PosixFileSystem fs;
  std::vector<ZipMember> members;
  for (int64_t seconds : {0, 1709251198, 951914097, 946598401}) {
    members.push_back({std::to_string(seconds), temp.Path("a"), 5,
                       seconds * 1000000000 + 999});
  }
  WriteStoredZip(fs, temp.Path("t.zip"), members, "", [] { return false; });
  EXPECT_EQ(testing::RunTool("python3",
                             {"-c",
                              "import sys, zipfile\nfor i in zipfile.ZipFile("
                              "sys.argv[1]).infolist(): print(*i.date_time)",
                              temp.Path("t.zip")}),
            "1980 1 1 0 0 0\n2024 2 29 23 59 58\n2000 3 1 12 34 56\n"
            "1999 12 31 0 0 0\n");
  // Unpacked, they get their times to the second (the extended timestamp).
  testing::RunTool("unzip", {"-q", temp.Path("t.zip"), "-d", temp.Path("x")});
  EXPECT_EQ(fs.Status(temp.Path("x/951914097")).modified_ns / 1000000000,
            951914097);
}

TEST(StoredZipTest, AMemberThatChangedLeavesTheOldArchive) {
  TempDir temp;
  testing::WriteFile(temp.Path("a"), "hello");
  testing::WriteFile(temp.Path("old.zip"), "old");
  PosixFileSystem fs;
  for (uint64_t size : {4, 6}) {
    const std::vector<ZipMember> members = {{"a", temp.Path("a"), size, 0}};
    EXPECT_THROW(WriteStoredZip(fs, temp.Path("old.zip"), members, "",
                                [] { return false; }),
                 Error);
  }
  EXPECT_EQ(testing::ReadFile(temp.Path("old.zip")), "old");
}

}  // namespace
}  // namespace orvanta
