#include "app/module_directory.h"

std::u16string ModuleDirectoryFromPath(const std::u16string& modulePath) {
  const std::size_t start = modulePath.find_first_not_of(u"\\?");
  if (start == std::u16string::npos) return {};
  const std::size_t lastSlash = modulePath.rfind(u'\\');
  if (lastSlash == std::u16string::npos || lastSlash < start) return {};
  return modulePath.substr(start, lastSlash + 1 - start);
}
