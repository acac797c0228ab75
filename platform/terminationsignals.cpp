#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ombrix::platform {

namespace {

constexpr std::array handledSignals{SIGTERM, SIGHUP};

// A signal handler may only write to a descriptor: the signal is noted in this pair of
// sockets, and the event loop reads it from the other end.
int requestSockets[2] = {-1, -1};
struct sigaction previousActions[handledSignals.size()];

extern "C" void noteRequest(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(requestSockets[0], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onRequest)
    : onRequest_(std::move(onRequest)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, requestSockets) != 0)
        return; // the signals keep ending the process at once
    notifier_ = std::make_unique<QSocketNotifier>(requestSockets[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { readRequests(); });
    struct sigaction action = {};
    action.sa_handler = noteRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &action, &previousActions[i]);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &previousActions[i], nullptr);
    notifier_.reset();
    for (int& socket : requestSockets) {
        ::close(socket);
        socket = -1;
    }
}

void TerminationSignals::readRequests() {
    char bytes[16];
    bool requested = false;
    while (::read(requestSockets[1], bytes, sizeof bytes) > 0)
        requested = true;
    if (requested && onRequest_)
        onRequest_();
}

} // namespace ombrix::platform
