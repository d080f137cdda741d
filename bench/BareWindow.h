#pragma once
// The yardsticks of the start-up and memory figures: BenchMinimalWindow.exe as it is (a bare
// window), and the same program loading first the libraries another process holds (the bare
// window with the same system libraries and stand-ins).
#include <windows.h>

#include <string>
#include <vector>

// Full paths of the libraries the process has loaded, its own image and drivers left out.
std::vector<std::string> LoadedLibraries(HANDLE process);

// The environment variable through which BenchMinimalWindow.exe takes the libraries to load.
constexpr const char* kBareWindowLibraries = "WEVO_BENCH_LOAD";

// Sets the list for the next start (empty: none), joined as the bare window reads it.
void SetBareWindowLibraries(const std::vector<std::string>& libraries);

// Starts BenchMinimalWindow.exe with the libraries given and waits for its window.
// False when it does not start or show.
bool StartBareWindow(const std::vector<std::string>& libraries, PROCESS_INFORMATION& info);
void EndBareWindow(PROCESS_INFORMATION& info);
