// norvane-gamma-watch: started by Norvane Pro with one end of a socket as its
// standard input and the X display's name as its argument. It holds the
// display's gamma ramps from its start and, when the socket closes while the
// program last said it had dimmed them, puts them back (see GammaRestoreWatcher).

#include "platform/GammaRestoreWatcher.h"
#include "platform/X11DisplayGamma.h"

#include <cerrno>
#include <csignal>

#include <unistd.h>

int main(int argc, char* argv[])
{
    // Signals for the program's terminal or session must not end the watcher
    // before the program; the socket says when to go.
    for (const int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE})
        std::signal(signal, SIG_IGN);

    const auto gamma = X11DisplayGamma::open(argc > 1 ? QByteArray(argv[1]) : QByteArray());
    if (!gamma)
        return 1;
    const char ready = GammaRestoreWatcher::kReady;
    if (::write(STDIN_FILENO, &ready, 1) != 1)
        return 1;

    char state = GammaRestoreWatcher::kRestored;
    for (;;) {
        char message = 0;
        const ssize_t got = ::read(STDIN_FILENO, &message, 1);
        if (got == 1) {
            if (message == GammaRestoreWatcher::kDimmed || message == GammaRestoreWatcher::kRestored)
                state = message;
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    if (state == GammaRestoreWatcher::kDimmed)
        gamma->restoreDefault();
    return 0;
}
