#pragma once
// The EAP-FAST credential lists, one per profile name, kept in the state file.
#include <string>

namespace sim {

// Two calls: a null array answers the count; a filling call writes at most *count entries
// (the capacity passed in) and sets *count to the entries written.
int ReadPacList(void* entries, unsigned long* count, const char* profileName);
// Stores copies of the entries a PAC_FILE_LIST describes; a count of 0 removes the list.
int WritePacList(const void* list, const char* profileName);
// Journal text of a list the program hands over: its count and the entries' names.
std::string PacListText(const void* list);
// The stored list of a profile: "N: V name, name".
std::string PacListStatus(const std::string& profileName);

}  // namespace sim
