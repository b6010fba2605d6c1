#include "app/module_directory.h"

#include <cstdint>

namespace {

bool StartsWithNoCase(const std::u16string& text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::u16string ModuleDirectoryFromPath(const std::u16string& modulePath) {
  std::u16string path = modulePath;
  if (StartsWithNoCase(path, u"\\\\?\\UNC\\"))
    path.replace(0, 8, u"\\\\");
  else if (StartsWithNoCase(path, u"\\\\?\\"))
    path.erase(0, 4);
  const std::size_t lastSlash = path.rfind(u'\\');
  if (lastSlash == std::u16string::npos) return {};
  path.resize(lastSlash + 1);
  return path;
}

std::u16string InstanceName(const std::u16string& moduleDirectory) {
  // FNV-1a over the upper-cased folder: object names cannot hold backslashes.
  std::uint64_t hash = 14695981039346656037ull;
  for (char16_t c : moduleDirectory) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    hash = (hash ^ c) * 1099511628211ull;
  }
  std::u16string name = u"Quorvalestrane-";
  for (int shift = 60; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(hash >> shift) & 0xF];
  return name;
}
