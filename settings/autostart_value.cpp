#include "settings/autostart_value.h"

bool IsWellFormedRunValue(std::uint32_t type, const unsigned char* data, std::size_t size) {
  if (type != kRegSz && type != kRegExpandSz) return false;
  if (size == 0) return true;
  return size % 2 == 0 && data[size - 2] == 0 && data[size - 1] == 0;
}

std::u16string AutostartCommand(const std::u16string& moduleDirectory) {
  return u"\"" + moduleDirectory + u"qvs_x64.exe\"";
}
