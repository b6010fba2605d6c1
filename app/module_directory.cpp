#include "app/module_directory.h"

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
