#include "app/ShutdownSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int Pipe[2] = { -1, -1 };
constexpr int Handled[] = { SIGTERM, SIGHUP };

void OnSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(Pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TShutdownSignals::TShutdownSignals(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // no pipe: the signals keep their default action and end the program
    FNotifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TShutdownSignals::ReadPipe);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : Handled)
        ::sigaction(s, &action, nullptr);
}

TShutdownSignals::~TShutdownSignals()
{
    for (int s : Handled)
        ::signal(s, SIG_DFL);
    delete FNotifier;
    for (int &fd : Pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TShutdownSignals::ReadPipe()
{
    unsigned char byte = 0;
    while (::read(Pipe[0], &byte, 1) == 1)
        emit Received(byte);
}
