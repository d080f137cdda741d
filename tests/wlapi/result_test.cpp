#include <gtest/gtest.h>
#include "wlapi/result.h"

TEST(ResultCodes, SuccessIsOneAndFailureZero)
{
    EXPECT_EQ(WVWL_ERROR_SUCCESS, 1);
    EXPECT_EQ(WVWL_ERROR_FAILURE, 0);
}
