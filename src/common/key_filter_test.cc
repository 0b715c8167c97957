// Tests of the text box key filter with the flags the window uses.
#include "common/key_filter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace orvanta {
namespace {

bool Kept(int key, const KeyFilterFlags& flags) {
  return FilterTextBoxKeyPress(key, flags).key_code == key;
}

TEST(KeyFilterTest, DigitsOnlyBoxes) {
  KeyFilterFlags flags = DigitsOnlyKeyFlags();
  for (char c = '0'; c <= '9'; ++c) EXPECT_TRUE(Kept(c, flags)) << c;
  for (int key : std::initializer_list<int>{'-', '.', 'e', 'E', ' ', ',', 'a',
                                            '+', 13, 200}) {
    EXPECT_EQ(FilterTextBoxKeyPress(key, flags).key_code, 0) << key;
  }
  EXPECT_TRUE(Kept(22, flags));  // Ctrl+V still pastes
  EXPECT_TRUE(Kept(8, flags));
  KeyFilterResult select = FilterTextBoxKeyPress(1, flags);
  EXPECT_TRUE(select.select_all);
  EXPECT_EQ(select.key_code, 0);
}

TEST(KeyFilterTest, FileNameBoxes) {
  KeyFilterFlags flags = FileNameKeyFlags();
  EXPECT_FALSE(flags.exponent);
  for (int key : std::initializer_list<int>{'a', 'Z', 'e', '5', '.', '-', '_',
                                            '+', '$', '@', ' ', 3, 24, 22, 8}) {
    EXPECT_TRUE(Kept(key, flags)) << key;
  }
  for (int key : std::initializer_list<int>{'\\', ':', ',', '/', '*', '?', '"',
                                            13, 127, 233}) {
    EXPECT_EQ(FilterTextBoxKeyPress(key, flags).key_code, 0) << key;
  }
}

TEST(KeyFilterTest, CtrlZClearsEveryBox) {
  for (const KeyFilterFlags& flags :
       {FileNameKeyFlags(), DigitsOnlyKeyFlags(), KeyFilterFlags{}}) {
    KeyFilterResult result = FilterTextBoxKeyPress(26, flags);
    EXPECT_TRUE(result.clear_text);
    EXPECT_EQ(result.key_code, 0);
  }
}

TEST(KeyFilterTest, ExponentLetterWithoutLetters) {
  KeyFilterFlags flags;
  flags.digits = true;
  flags.exponent = true;
  EXPECT_EQ(FilterTextBoxKeyPress('e', flags).key_code, 'E');
  EXPECT_EQ(FilterTextBoxKeyPress('E', flags).key_code, 'E');
  EXPECT_EQ(FilterTextBoxKeyPress('d', flags).key_code, 0);
  flags.letters = true;
  EXPECT_EQ(FilterTextBoxKeyPress('e', flags).key_code, 'e');
}

TEST(KeyFilterTest, EachFlagOpensOnlyItsKeys) {
  struct FlagKey {
    bool KeyFilterFlags::*flag;
    int key;
  };
  const FlagKey pairs[] = {
      {&KeyFilterFlags::decimal_point, '.'}, {&KeyFilterFlags::minus, '-'},
      {&KeyFilterFlags::plus, '+'},          {&KeyFilterFlags::underscore, '_'},
      {&KeyFilterFlags::dollar, '$'},        {&KeyFilterFlags::at, '@'},
      {&KeyFilterFlags::blank, ' '},         {&KeyFilterFlags::clipboard, 3},
      {&KeyFilterFlags::letters, 'q'},       {&KeyFilterFlags::digits, '0'},
  };
  for (const FlagKey& pair : pairs) {
    KeyFilterFlags none;
    EXPECT_FALSE(Kept(pair.key, none)) << pair.key;
    KeyFilterFlags one;
    one.*pair.flag = true;
    EXPECT_TRUE(Kept(pair.key, one)) << pair.key;
    for (const FlagKey& other : pairs) {
      if (other.key != pair.key) {
        EXPECT_FALSE(Kept(other.key, one));
      }
    }
  }
}

}  // namespace
}  // namespace orvanta
