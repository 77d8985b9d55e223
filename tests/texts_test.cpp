// Every text in both languages: the Persian ones use the Arabic-block letters
// they are stored with (U+064A yeh, U+06A9 keheh) and nothing a keyboard or an
// editor could slip in; the English ones are plain ASCII.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/about_texts.h"
#include "i18n/main_texts.h"

namespace lumora::testing {
namespace {

std::vector<TextPair> AllTexts() {
  std::vector<TextPair> texts;
  texts.reserve(32);
  for (const ElementText& row : kMainTexts) texts.push_back(row.text);
  texts.insert(texts.end(), kStatusTexts.begin(), kStatusTexts.end());
  texts.push_back(kApplyDoneText);
  texts.push_back(kApplyFailedText);
  texts.insert(texts.end(), kAboutLines.begin(), kAboutLines.end());
  texts.push_back(kAboutCaption);
  texts.push_back({u"OK", kAboutOkPersian});
  return texts;
}

bool IsPlainPunctuationOrSpace(char16_t c) {
  return c == u' ' || c == u'.' || c == u'!' || c == u':' || c == u'(' || c == u')' || c == u'-' ||
         (c >= u'0' && c <= u'9');
}

TEST(Texts, PersianUsesTheStoredLettersAndEnglishIsAscii) {
  for (const TextPair& text : AllTexts()) {
    SCOPED_TRACE(std::string(text.english.begin(), text.english.end()));
    ASSERT_FALSE(text.persian.empty());
    ASSERT_FALSE(text.english.empty());
    for (const char16_t c : text.persian) {
      const bool arabic_block = c >= u'\u0600' && c <= u'\u06FF';
      EXPECT_TRUE(arabic_block || IsPlainPunctuationOrSpace(c)) << std::hex << int{c};
      EXPECT_NE(c, u'\u06CC');  // Farsi yeh: the texts store U+064A
      EXPECT_NE(c, u'\u0643');  // Arabic kaf: the texts store U+06A9
    }
    for (const char16_t c : text.english) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << std::hex << int{c};
  }
}

// A fingerprint of every text, in order: an accidental edit (a space lost at
// an end, a letter retyped) changes it; a deliberate one updates it here.
TEST(Texts, AreThoseTheProgramWasWrittenWith) {
  std::uint32_t hash = 2166136261U;  // FNV-1a over the UTF-16 code units
  for (const TextPair& text : AllTexts()) {
    for (const std::u16string_view part : {text.english, text.persian}) {
      for (const char16_t c : part) hash = (hash ^ c) * 16777619U;
      hash = (hash ^ 0xFFFFU) * 16777619U;  // keeps the boundaries
    }
  }
  EXPECT_EQ(hash, 2474532204U);
}

}  // namespace
}  // namespace lumora::testing
