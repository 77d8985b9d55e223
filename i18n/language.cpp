#include "i18n/language.h"

namespace lumora {

std::u16string CurrentLanguage;

}  // namespace lumora
