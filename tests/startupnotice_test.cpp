#include "common/startupnotice.h"

#include <gtest/gtest.h>

#include <string>

using namespace ombrix;

namespace {

TEST(StartupNotice, IdNamesTheLaunchAndEndsInTheTimeOfTheUsersAction) {
    EXPECT_EQ(startupId("ombrix", "tune", 4242, 1, 123456789u), "ombrix/tune/4242-1_TIME123456789");
}

struct MessageCase {
    const char* name;
    std::string value;
    std::string message;
};

class StartupMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(StartupMessage, QuotesOnlyValuesThatNeedIt) {
    EXPECT_EQ(startupMessage("new", {{"ID", "a_TIME1"}, {"NAME", GetParam().value}}),
              GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Rows, StartupMessage,
                         testing::Values(MessageCase{"Plain", "tune", "new: ID=a_TIME1 NAME=tune"},
                                         MessageCase{"Blank", "Ombrix Setup",
                                                     "new: ID=a_TIME1 NAME=\"Ombrix Setup\""},
                                         MessageCase{"QuoteAndBackslash", "a\"b\\c",
                                                     "new: ID=a_TIME1 NAME=\"a\\\"b\\\\c\""},
                                         MessageCase{"Empty", "", "new: ID=a_TIME1 NAME=\"\""}),
                         [](const auto& info) { return std::string(info.param.name); });

// 39 characters and the closing NUL fill exactly two pieces; one more character needs a third,
// which holds it and the NUL.
TEST(StartupNotice, PiecesCarryTheMessageAndItsClosingNul) {
    const std::string fits(39, 'x');
    const auto two = startupMessagePieces(fits);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(std::string(two[1].data(), 19), std::string(19, 'x'));
    EXPECT_EQ(two[1][19], '\0');
    const auto three = startupMessagePieces(fits + "y");
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[2][0], '\0');
    EXPECT_EQ(three[1][19], 'y');
}

} // namespace
