#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

template <typename Key, std::size_t N>
std::vector<std::string> Names(const std::array<Key, N>& keys) {
  std::vector<std::string> names;
  names.reserve(N);
  for (const Key& key : keys) names.emplace_back(key.key);
  return names;
}

}  // namespace

const PersonKey* FindPersonKey(std::string_view key) {
  for (const PersonKey& entry : kPersonKeys)
    if (entry.key == key) return &entry;
  return nullptr;
}

std::vector<std::string> PersonKeyNames() { return Names(kPersonKeys); }

std::vector<std::string> ContactKeyNames() { return Names(kContactKeys); }

}  // namespace vimbo
