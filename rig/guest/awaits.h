#pragma once
// Checks of behaviour that the serial component does not have yet on these drivers. They print
// "[ awaits   ]" with the reason instead of failing, unless ORV_RIG_STRICT is set, so the rig's
// status stays about everything else until the component catches up.
#include <QtGlobal>
#include <gtest/gtest.h>
#include <cstdio>

#define EXPECT_OR_AWAIT(condition, why)                                                          \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            if (qEnvironmentVariableIsSet("ORV_RIG_STRICT"))                                     \
                ADD_FAILURE() << "(" << why << ") " #condition;                                  \
            else                                                                                 \
                std::printf("[ awaits   ] %s: %s (%s:%d)\n", why, #condition, __FILE__, __LINE__); \
        }                                                                                        \
    } while (0)
