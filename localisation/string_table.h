// The one question the rest of the program asks the string table. Platform-free.
#pragma once

#include <cstdint>
#include <string>

class IStringTable {
 public:
  // The selected language's text for a string id, or the empty string.
  virtual std::u16string GetText(std::uint32_t id) const = 0;

 protected:
  ~IStringTable() = default;
};
