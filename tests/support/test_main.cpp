// Entry point of every test program. Each test runs in a process of its own, so the process
// ends right after the results are written: Wine can hang in the ordinary exit path while it
// detaches libraries and windows from a process that still has threads or windows alive.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
