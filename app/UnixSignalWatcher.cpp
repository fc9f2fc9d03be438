#include "UnixSignalWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalSockets[2] = {-1, -1};

extern "C" void ForwardSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Only async-signal-safe work here: hand the number to the event loop.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent), m_signalNumbers(signalNumbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::readSignal);
    for (int signalNumber : m_signalNumbers) {
        struct sigaction action = {};
        action.sa_handler = ForwardSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    for (int signalNumber : m_signalNumbers)
        ::signal(signalNumber, SIG_DFL);
    for (int& socket : g_signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void UnixSignalWatcher::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_signalSockets[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}
