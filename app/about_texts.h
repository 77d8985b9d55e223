#pragma once

#include <string_view>

#include "i18n/main_texts.h"

namespace lumora {

// The about window's four lines, each followed by CR LF when shown.
inline constexpr TextPair kAboutLines[] = {
    {u"After changing settings and applying, you must 'Refresh' once in desktop.",
     u"بعد از انجام تغييرات ، شما بايد يکبار در صفحه ، رفرش کنيد."},
    {u"Then you can see the changes!", u"سپس شما تغييرات را مي بينيد!"},
    {u"Author: the Lumora team", u"نويسنده: گروه لومورا"},
    {u"Producer: NorvaleSoft", u"توليد: نوروال سافت"},
};

inline constexpr TextPair kAboutCaption = {u"About ... ", u"درباره ..."};
// English keeps the button's caption from creation.
inline constexpr std::u16string_view kAboutOkPersian = u"تاييد";

}  // namespace lumora
