#include "textio/latin1.h"

#include <gtest/gtest.h>

namespace textio {
namespace {

TEST(Latin1, ConvertsUpToU00FFAndRefusesTheRestWithItsOwnError) {
  EXPECT_EQ(to_latin1("ação ºC"), "a\xE7\xE3o \xBA" "C");
  for (const char* beyond : {"1 €", "\xC3", "\xE2\x82"}) {
    EXPECT_THROW(to_latin1(beyond), NotLatin1) << beyond;
  }
}

}  // namespace
}  // namespace textio
