#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry_api.h"

namespace lumora::testing {

inline constexpr RegStatus kFileNotFound = 2;
inline constexpr RegStatus kAccessDenied = 5;
inline constexpr RegStatus kInvalidHandle = 6;
inline constexpr RegStatus kMoreData = 234;

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// One registry call as the module made it.
struct RegCall {
  std::string function;
  RegHandle key = 0;
  std::u16string text;             // sub-key or value name
  std::uint32_t arg = 0;           // access mask (open) or type (set)
  std::uint32_t size = 0;          // size passed in (query, set)
  std::vector<std::uint8_t> data;  // bytes passed to a set
};

// An in-memory registry that behaves like advapi32 where the module relies on
// it: missing keys fail to open, missing values fail to query, data longer than
// the buffer give "more data", a set replaces data and type.
class FakeRegistry final : public RegistryApi {
 public:
  using KeyId = std::pair<RegHandle, std::u16string>;
  using Values = std::map<std::u16string, StoredValue>;

  void AddKey(RegHandle root, std::u16string sub_key) { keys_[{root, std::move(sub_key)}]; }
  void Put(RegHandle root, const std::u16string& sub_key, const std::u16string& name,
           StoredValue value) {
    keys_[{root, sub_key}][name] = std::move(value);
  }
  void PutDword(RegHandle root, const std::u16string& sub_key, const std::u16string& name,
                std::uint32_t value);
  [[nodiscard]] const Values* Key(RegHandle root, const std::u16string& sub_key) const;
  [[nodiscard]] std::size_t KeyCount() const { return keys_.size(); }
  [[nodiscard]] std::size_t OpenHandles() const { return open_.size(); }

  RegStatus RegOpenKeyExA(RegHandle root, std::u16string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegHandle& opened) override;
  RegStatus RegQueryValueExA(RegHandle key, std::u16string_view name, std::uint32_t reserved,
                             std::uint32_t& type, std::uint8_t* data, std::uint32_t& size) override;
  RegStatus RegSetValueExA(RegHandle key, std::u16string_view name, std::uint32_t reserved,
                           std::uint32_t type, const std::uint8_t* data,
                           std::uint32_t size) override;
  RegStatus RegCloseKey(RegHandle key) override;

  std::vector<RegCall> calls;
  // Forced statuses: an open refused (for example access denied), a set that
  // fails for one value name, a close that fails.
  std::optional<RegStatus> open_status;
  std::map<std::u16string, RegStatus> set_failures;
  std::optional<RegStatus> close_status;

 private:
  std::map<KeyId, Values> keys_;
  std::map<RegHandle, KeyId> open_;
  RegHandle nextHandle_ = 0x100;
};

}  // namespace lumora::testing
