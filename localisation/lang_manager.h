// The string table of the selected language.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "localisation/string_table.h"

class CLangManager : public IStringTable {
 public:
  std::u16string GetText(std::uint32_t id) const override;

 private:
  std::map<std::uint32_t, std::u16string> texts;  // string id -> text, ascending
  std::u16string languageMask = u"*.lng";
  std::u16string languageFolder = u".\\";
};

// The one localisation manager; it exists before the entry point and until process exit.
extern CLangManager g_langManager;
