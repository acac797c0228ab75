#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>

using ombrix::platform::TerminationSignals;

namespace {

struct SignalCase {
    const char* name;
    int signal;
};

class TerminationRequest : public testing::TestWithParam<SignalCase> {};

// The event loop, not the signal, ends the program: the process lives on, the request is
// handed over once, and once the object is gone the signal ends processes again.
TEST_P(TerminationRequest, ReachesTheEventLoopOnceAndNeverEndsTheProcessItself) {
    int argc = 1;
    char name[] = "terminationsignals_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int requests = 0;
    {
        TerminationSignals watch([&requests] { ++requests; });
        ASSERT_EQ(std::raise(GetParam().signal), 0);
        ASSERT_EQ(std::raise(GetParam().signal), 0);
        QElapsedTimer waited;
        waited.start();
        while (requests == 0 && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        EXPECT_EQ(requests, 1);
    }
    struct sigaction now = {};
    ::sigaction(GetParam().signal, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Rows, TerminationRequest,
                         testing::Values(SignalCase{"Terminate", SIGTERM},
                                         SignalCase{"HangUp", SIGHUP}),
                         [](const auto& info) { return info.param.name; });

} // namespace
