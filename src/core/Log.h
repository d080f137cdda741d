#pragma once

// Diagnostic trace of the program. Each line is "<prefix><text>", at most 511 characters.
// It reaches the debugger output (the log sink) when level <= VOZEZIV.nDebugMode, and,
// once the adapter library is loaded, always goes to WVWL_OutPutUIWppLog as well.
// Formats follow wvsprintfA: %d %u %x %X %02X %s %c ...; no floating point.
void PrintMessage(int level, const char* format, ...);

// Writes the prefix of levels 1 to 8 ("[Wevo][E] " for 2, ...) into dest, sets *length and
// returns 0; any other level returns -1, writes nothing and sets *length to 0.
// dest must hold at least 17 bytes.
int GetLogLevelPrefix(int level, char* dest, int* length);
