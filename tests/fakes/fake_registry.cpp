#include "fakes/fake_registry.h"

#include <algorithm>

namespace lumora::testing {

void FakeRegistry::PutDword(RegHandle root, const std::u16string& sub_key,
                            const std::u16string& name, std::uint32_t value) {
  Put(root, sub_key, name,
      {kRegDword,
       {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8U),
        static_cast<std::uint8_t>(value >> 16U), static_cast<std::uint8_t>(value >> 24U)}});
}

const FakeRegistry::Values* FakeRegistry::Key(RegHandle root, const std::u16string& sub_key) const {
  const auto it = keys_.find({root, sub_key});
  return it == keys_.end() ? nullptr : &it->second;
}

RegStatus FakeRegistry::RegOpenKeyExA(RegHandle root, std::u16string_view sub_key,
                                      std::uint32_t /*options*/, std::uint32_t access,
                                      RegHandle& opened) {
  calls.push_back({"RegOpenKeyExA", root, std::u16string{sub_key}, access, 0, {}});
  if (open_status) return *open_status;
  KeyId id{root, std::u16string{sub_key}};
  // A root key always exists; any other key only when added.
  if (!sub_key.empty() && !keys_.contains(id)) return kFileNotFound;
  const RegHandle handle = nextHandle_++;
  open_[handle] = std::move(id);
  opened = handle;
  return kRegSuccess;
}

RegStatus FakeRegistry::RegQueryValueExA(RegHandle key, std::u16string_view name,
                                         std::uint32_t /*reserved*/, std::uint32_t& type,
                                         std::uint8_t* data, std::uint32_t& size) {
  calls.push_back({"RegQueryValueExA", key, std::u16string{name}, 0, size, {}});
  const auto handle = open_.find(key);
  if (handle == open_.end()) return kInvalidHandle;
  const auto& values = keys_[handle->second];
  const auto value = values.find(std::u16string{name});
  if (value == values.end()) return kFileNotFound;
  const auto stored = static_cast<std::uint32_t>(value->second.data.size());
  type = value->second.type;
  if (stored > size) {
    size = stored;
    return kMoreData;
  }
  std::copy(value->second.data.begin(), value->second.data.end(), data);
  size = stored;
  return kRegSuccess;
}

RegStatus FakeRegistry::RegSetValueExA(RegHandle key, std::u16string_view name,
                                       std::uint32_t /*reserved*/, std::uint32_t type,
                                       const std::uint8_t* data, std::uint32_t size) {
  calls.push_back({"RegSetValueExA", key, std::u16string{name}, type, size, {data, data + size}});
  const auto handle = open_.find(key);
  if (handle == open_.end()) return kInvalidHandle;
  if (const auto failure = set_failures.find(std::u16string{name}); failure != set_failures.end()) {
    return failure->second;
  }
  keys_[handle->second][std::u16string{name}] = {type, {data, data + size}};
  return kRegSuccess;
}

RegStatus FakeRegistry::RegCloseKey(RegHandle key) {
  calls.push_back({"RegCloseKey", key, {}, 0, 0, {}});
  if (open_.erase(key) == 0) return kInvalidHandle;
  return close_status.value_or(kRegSuccess);
}

}  // namespace lumora::testing
