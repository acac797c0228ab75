#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace ombrix::platform {

// A request to end the program, SIGTERM (the session ending, `kill`, the setup program taking
// over from the bar) or SIGHUP (its terminal gone), turned into a call on the event loop, so
// that the program ends through its own quit path: its place saved, its scratch files
// removed, its destructors run. While the object lives these signals no longer end the process
// at once; several that come together make one call. One object at a time.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onRequest);
    ~TerminationSignals(); // the signals end the process at once again

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void readRequests();

    std::function<void()> onRequest_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace ombrix::platform
