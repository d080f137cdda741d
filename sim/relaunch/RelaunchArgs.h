#pragma once

#include <optional>
#include <string>

// What the relaunch program is told: the running program's file name, the caption of its main
// window, and optionally the program to start once it has ended (else the program itself).
struct RelaunchArgs {
    std::wstring program;
    std::wstring title;
    std::wstring next;

    const std::wstring& ProgramToStart() const { return next.empty() ? program : next; }
};

// Splits a command line (without the relaunch program's own name) into its arguments; a quoted
// argument keeps its blanks. Gives nothing when the program or the title is missing, or when a
// name carries a folder (the next program is always taken from our own folder).
std::optional<RelaunchArgs> ParseRelaunchArgs(const std::wstring& commandLine);
