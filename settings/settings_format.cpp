#include "settings/settings_format.h"

#include <optional>

namespace {

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutU16(Bytes& out, char16_t value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

class Reader {
 public:
  explicit Reader(const Bytes& bytes) : bytes(bytes) {}

  std::optional<std::uint32_t> U32() {
    if (bytes.size() - offset < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes[offset + i];
    offset += 4;
    return value;
  }
  std::optional<std::int32_t> I32() {
    const auto value = U32();
    return value ? std::optional(static_cast<std::int32_t>(*value)) : std::nullopt;
  }
  std::optional<char16_t> Unit() {
    if (bytes.size() - offset < 2) return std::nullopt;
    const auto value = static_cast<char16_t>(bytes[offset] | bytes[offset + 1] << 8);
    offset += 2;
    return value;
  }

 private:
  const Bytes& bytes;
  std::size_t offset = 0;
};

}  // namespace

Bytes EncodeSettings(const Settings& settings) {
  Bytes out;
  PutU32(out, static_cast<std::uint32_t>(settings.wakeMode));
  PutU32(out, static_cast<std::uint32_t>(settings.chosenDrives.size()));
  for (const auto& [letter, flag] : settings.chosenDrives) {
    PutU16(out, letter);
    PutU32(out, static_cast<std::uint32_t>(flag));
  }
  PutU32(out, static_cast<std::uint32_t>(settings.interval));
  PutU32(out, static_cast<std::uint32_t>(settings.languageName.size()));
  for (char16_t unit : settings.languageName) PutU16(out, unit);
  PutU32(out, static_cast<std::uint32_t>(settings.showBalloons));
  return out;
}

void DecodeSettings(const Bytes& stream, Settings& settings) {
  Reader reader(stream);

  const auto wakeMode = reader.I32();
  if (!wakeMode) return;
  settings.wakeMode = *wakeMode;

  const auto count = reader.U32();
  if (!count || *count > kMaxDriveCount) return;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto letter = reader.Unit();
    if (!letter || *letter < u'A' || *letter > u'Z') return;
    const auto flag = reader.I32();
    if (!flag) return;
    settings.chosenDrives[*letter] = *flag != 0;
  }

  const auto interval = reader.I32();
  if (!interval) return;
  settings.interval = *interval;

  const auto length = reader.U32();
  if (!length || *length > kMaxLanguageNameLength) return;
  std::u16string name;
  for (std::uint32_t i = 0; i < *length; ++i) {
    const auto unit = reader.Unit();
    if (!unit) return;
    name += *unit;
  }
  settings.languageName = std::move(name);

  const auto showBalloons = reader.I32();
  if (!showBalloons) return;
  settings.showBalloons = *showBalloons != 0;
}

Bytes ToTextMode(const Bytes& logical) {
  Bytes stored;
  stored.reserve(logical.size() + logical.size() / 8);
  for (unsigned char byte : logical) {
    if (byte == 0x0A) stored.push_back(0x0D);
    stored.push_back(byte);
  }
  return stored;
}

Bytes FromTextMode(const Bytes& stored) {
  Bytes logical;
  logical.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == 0x0D && i + 1 < stored.size() && stored[i + 1] == 0x0A) continue;
    logical.push_back(stored[i]);
  }
  return logical;
}

std::u16string TemporaryPathFor(const std::u16string& path) {
  const std::size_t name = path.find_last_of(u"\\/") + 1;  // 0 when there is no folder
  const std::size_t dot = path.rfind(u'.');
  // An extension of three units or more: "tmp" over its first three.
  if (dot != std::u16string::npos && dot >= name && path.size() - dot > 3) {
    std::u16string temporary = path;
    temporary.replace(dot + 1, 3, u"tmp");
    if (temporary != path) return temporary;
  }
  // Otherwise the last unit changes, so the name differs in one place only.
  std::u16string temporary = path;
  if (!temporary.empty()) temporary.back() = temporary.back() == u'~' ? u'_' : u'~';
  return temporary;
}
