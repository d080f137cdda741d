#pragma once
#include <string>
#include <vector>

namespace sim {

// A plain INI document: sections in file order, keys in file order, names compared
// without regard to case. Used for scenario files and the state file.
class IniDoc {
public:
  struct Entry { std::string key, value; };
  struct Section { std::string name; std::vector<Entry> entries; };

  static IniDoc Parse(const std::string& text);
  static bool LoadFile(const std::string& path, IniDoc& out);   // false when unreadable
  std::string Serialize() const;
  bool SaveFile(const std::string& path) const;                   // write to temp, then replace

  const Section* Find(const std::string& section) const;
  bool Has(const std::string& section, const std::string& key) const;
  std::string Get(const std::string& section, const std::string& key, const std::string& def = "") const;
  long long GetInt(const std::string& section, const std::string& key, long long def = 0) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void RemoveSection(const std::string& section);
  // Sections whose name starts with prefix (case-insensitive), in file order.
  std::vector<const Section*> WithPrefix(const std::string& prefix) const;

  std::vector<Section> sections;
};

bool EqualNoCase(const std::string& a, const std::string& b);
std::string Trim(const std::string& s);
// Integer from decimal or 0x-hex text; false when the text is not a whole number.
bool ParseInt(const std::string& text, long long& out);

}  // namespace sim
