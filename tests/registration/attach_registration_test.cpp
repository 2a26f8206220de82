#include "registration/attach_registration.h"
#include "registration/registration_page.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

struct SetupPageWithReset {
    std::function<void()> ResetSlotAttempts;
};
struct SetupPageWithoutReset {};

} // namespace

TEST(AttachRegistration, SetupStartResetsTheSlotAttemptsWhereTheSetupPageOffersIt)
{
    RegistrationPage page;
    page.SlotAttemptCount = {{3, 2, 1, 5, 1, 1, 1, 1, 1, 4}};
    SetupPageWithReset with;
    ASSERT_TRUE(ConnectSlotAttemptReset(with, page));
    ASSERT_TRUE(with.ResetSlotAttempts);
    with.ResetSlotAttempts();
    for (std::uint8_t count : page.SlotAttemptCount)
        EXPECT_EQ(count, 1);
    SetupPageWithoutReset without;
    EXPECT_FALSE(ConnectSlotAttemptReset(without, page));
}
