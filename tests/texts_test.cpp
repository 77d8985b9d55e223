// Every text of the program in both languages, fingerprinted: an accidental
// edit (a space lost at an end, a letter retyped with a look-alike) changes
// it; a deliberate one updates it here.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/about_texts.h"
#include "i18n/main_texts.h"

namespace lumora::testing {
namespace {

TEST(Texts, AreThoseTheProgramWasWrittenWith) {
  std::uint32_t hash = 2166136261U;  // FNV-1a over the UTF-16 code units
  const auto add = [&hash](const TextPair& text) {
    for (const std::u16string_view part : {text.english, text.persian}) {
      for (const char16_t c : part) hash = (hash ^ c) * 16777619U;
      hash = (hash ^ 0xFFFFU) * 16777619U;  // keeps the boundaries
    }
  };
  for (const ElementText& row : kMainTexts) add(row.text);
  for (const TextPair& text : kStatusTexts) add(text);
  for (const TextPair& text : {kApplyDoneText, kApplyFailedText}) add(text);
  for (const TextPair& text : kAboutLines) add(text);
  add(kAboutCaption);
  add({u"OK", kAboutOkPersian});
  EXPECT_EQ(hash, 2474532204U);
}

}  // namespace
}  // namespace lumora::testing
