#include "app/toolkit/decimal_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace lumora {
namespace {

TEST(DecimalText, WritesEveryNumberLikeToString) {
  for (const long long value :
       {0LL, 7LL, -7LL, 10LL, 1021LL, -2147483648LL, LLONG_MAX, LLONG_MIN}) {
    EXPECT_EQ(DecimalText(value), std::to_string(value));
    EXPECT_EQ(DecimalText<wchar_t>(value), std::to_wstring(value));
  }
}

}  // namespace
}  // namespace lumora
