#include "localisation/lang_manager.h"

std::u16string CLangManager::GetText(std::uint32_t id) const {
  const auto it = texts.find(id);
  return it != texts.end() ? it->second : std::u16string();
}
