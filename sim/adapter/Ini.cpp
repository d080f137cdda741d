#include "Ini.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sim {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& text, long long& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(t.c_str(), &end, 0);
  if (errno != 0 || end == t.c_str() || *end != '\0') return false;
  out = v;
  return true;
}

IniDoc IniDoc::Parse(const std::string& text) {
  IniDoc doc;
  std::istringstream in(text);
  std::string line;
  Section* current = nullptr;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t[0] == '[') {
      size_t close = t.find(']');
      std::string name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      doc.sections.push_back({name, {}});
      current = &doc.sections.back();
      continue;
    }
    size_t eq = t.find('=');
    if (eq == std::string::npos || !current) continue;
    current->entries.push_back({Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
  }
  return doc;
}

bool IniDoc::LoadFile(const std::string& path, IniDoc& out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::ostringstream ss;
  ss << f.rdbuf();
  out = Parse(ss.str());
  return true;
}

std::string IniDoc::Serialize() const {
  std::string s;
  for (const Section& sec : sections) {
    s += "[" + sec.name + "]\r\n";
    for (const Entry& e : sec.entries) s += e.key + "=" + e.value + "\r\n";
    s += "\r\n";
  }
  return s;
}

bool IniDoc::SaveFile(const std::string& path) const {
  std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    std::string s = Serialize();
    f.write(s.data(), static_cast<std::streamsize>(s.size()));
    if (!f) return false;
  }
  return MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

const IniDoc::Section* IniDoc::Find(const std::string& section) const {
  for (const Section& s : sections)
    if (EqualNoCase(s.name, section)) return &s;
  return nullptr;
}

bool IniDoc::Has(const std::string& section, const std::string& key) const {
  const Section* s = Find(section);
  if (!s) return false;
  for (const Entry& e : s->entries)
    if (EqualNoCase(e.key, key)) return true;
  return false;
}

std::string IniDoc::Get(const std::string& section, const std::string& key, const std::string& def) const {
  const Section* s = Find(section);
  if (!s) return def;
  for (const Entry& e : s->entries)
    if (EqualNoCase(e.key, key)) return e.value;
  return def;
}

long long IniDoc::GetInt(const std::string& section, const std::string& key, long long def) const {
  long long v = 0;
  return ParseInt(Get(section, key), v) ? v : def;
}

void IniDoc::Set(const std::string& section, const std::string& key, const std::string& value) {
  Section* target = nullptr;
  for (Section& s : sections)
    if (EqualNoCase(s.name, section)) target = &s;
  if (!target) {
    sections.push_back({section, {}});
    target = &sections.back();
  }
  for (Entry& e : target->entries)
    if (EqualNoCase(e.key, key)) {
      e.value = value;
      return;
    }
  target->entries.push_back({key, value});
}

void IniDoc::RemoveSection(const std::string& section) {
  sections.erase(std::remove_if(sections.begin(), sections.end(),
                                [&](const Section& s) { return EqualNoCase(s.name, section); }),
                 sections.end());
}

std::vector<const IniDoc::Section*> IniDoc::WithPrefix(const std::string& prefix) const {
  std::vector<const Section*> out;
  for (const Section& s : sections)
    if (s.name.size() >= prefix.size() && EqualNoCase(s.name.substr(0, prefix.size()), prefix)) out.push_back(&s);
  return out;
}

}  // namespace sim
