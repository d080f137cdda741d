#pragma once
// The identity and password fields that the adapter library takes: zero-filled buffers of a
// fixed size holding at most size - 1 characters of the text.
#include <cstddef>
#include <cstring>
#include <string>

// Longest identity or password the dialogs take from the keyboard.
constexpr int ID_PWD_MAX_INPUT = 100;

// Clears the field and copies as much of the text as fits before the terminating zero.
template <size_t N>
void SetTextField(char (&field)[N], const std::string& text)
{
    static_assert(N > 0);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N ? text.size() : N - 1);
}

// The text of a field the library wrote: up to its first zero, within the field.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}
