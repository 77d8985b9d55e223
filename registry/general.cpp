#include "registry/general.h"

#include "app/toolkit/window_ops.h"

namespace lumora {

namespace {
constexpr std::u16string_view kRootPrefix = u"HKEY_";
constexpr std::u16string_view kIncorrectFormat = u"Incorrect Format:\n\n";
constexpr std::uint32_t kFirstRootHandle = 0x80000000U;
}  // namespace

RegHandle RootKeyFromName(std::u16string_view name) noexcept {
  for (std::uint32_t i = 0; i < std::size(kRootNames); ++i) {
    if (name == kRootNames[i]) {
      return static_cast<RegHandle>(kFirstRootHandle + i);
    }
  }
  return 0;
}

bool General::SplitKeyPath(std::u16string& path, RegHandle& root) {
  const auto slash = path.find(u'\\');
  LastStatus = slash == std::u16string::npos ? 0 : static_cast<RegStatus>(slash + 1);

  if (!path.starts_with(kRootPrefix) || path.ends_with(u'\\')) {
    std::u16string message{kIncorrectFormat};
    message += path;
    ui_.MsgBox(message, kMsgOkOnly, std::nullopt);
    return false;
  }
  if (slash == std::u16string::npos) {
    root = RootKeyFromName(path);
    path.clear();
  } else {
    root = RootKeyFromName(std::u16string_view{path}.substr(0, slash));
    path.erase(0, slash + 1);
  }
  return true;
}

ReadResult General::ReadDWord(std::u16string& path, std::u16string_view name) {
  // After a malformed path no call may run under a root left from an earlier one.
  if (!SplitKeyPath(path, RootKey)) return ReadErrorText{};
  if (RootKey == 0) return std::monostate{};

  LastStatus = registry_.RegOpenKeyExA(RootKey, path, 0, kKeyRead, OpenedKey);
  if (LastStatus != kRegSuccess) return ReadErrorText{};

  ValueBuffer.fill(0);
  std::uint32_t type = 0;
  std::uint32_t size = static_cast<std::uint32_t>(ValueBuffer.size());
  LastStatus = registry_.RegQueryValueExA(OpenedKey, name, 0, type, ValueBuffer.data(), size);
  if (LastStatus != kRegSuccess) {
    registry_.RegCloseKey(OpenedKey);
    return ReadErrorText{};
  }

  LastStatus = registry_.RegCloseKey(OpenedKey);
  // Only a genuine DWORD counts: shorter data or another type is not a setting.
  if (type != kRegDword || size != ValueBuffer.size()) return ReadErrorText{};
  const std::uint32_t bits = static_cast<std::uint32_t>(ValueBuffer[0]) |
                             static_cast<std::uint32_t>(ValueBuffer[1]) << 8U |
                             static_cast<std::uint32_t>(ValueBuffer[2]) << 16U |
                             static_cast<std::uint32_t>(ValueBuffer[3]) << 24U;
  return static_cast<std::int32_t>(bits);
}

bool General::WriteDWord(std::u16string& path, std::u16string_view name, std::int32_t value) {
  if (!SplitKeyPath(path, RootKey)) return false;
  if (RootKey == 0) return false;

  LastStatus = registry_.RegOpenKeyExA(RootKey, path, 0, kKeyWrite, OpenedKey);
  if (LastStatus != kRegSuccess) return false;

  const auto bits = static_cast<std::uint32_t>(value);
  const std::array<std::uint8_t, 4> data = {
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8U),
      static_cast<std::uint8_t>(bits >> 16U), static_cast<std::uint8_t>(bits >> 24U)};
  LastStatus = registry_.RegSetValueExA(OpenedKey, name, 0, kRegDword, data.data(),
                                        static_cast<std::uint32_t>(data.size()));
  const bool written = LastStatus == kRegSuccess;
  LastStatus = registry_.RegCloseKey(OpenedKey);
  return written;
}

}  // namespace lumora
