#pragma once

// Result codes of the adapter library's entry points.
constexpr int WVWL_ERROR_SUCCESS = 1;
constexpr int WVWL_ERROR_FAILURE = 0;
constexpr int WVWL_ERROR_BUFFER_TOO_SMALL = -10;
constexpr int WVWL_ERROR_NOT_READY = -33;
