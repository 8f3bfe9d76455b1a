#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

#include <sys/types.h>

// A small process, "norvane-gamma-watch", that holds the X display's gamma
// ramps as they were before this program dimmed them, and puts them back when
// this program ends while they are dimmed: by a crash, a kill or an exit that
// skipped its clean-up. It learns of the end when its end of a socket closes,
// which the kernel does for any death, so nothing runs in a signal handler.
//
// The socket carries one byte each way: the watcher sends kReady once it
// holds the ramps; this program sends kDimmed before it changes them and
// kRestored once it has put them back itself.
class GammaRestoreWatcher {
public:
    static constexpr const char* kHelperName = "norvane-gamma-watch";
    static constexpr char kReady = '+';
    static constexpr char kDimmed = 'D';
    static constexpr char kRestored = 'R';

    // Starts the watcher for the named display ("" means $DISPLAY) and waits
    // until it holds the ramps; null when it cannot be started or has no
    // display, so the caller goes on without it.
    static std::unique_ptr<GammaRestoreWatcher> start(const QByteArray& displayName);
    // The watcher program beside this program's executable.
    static QString helperPath();

    // Only start() can make a key, so only start() constructs.
    class Key {
        friend class GammaRestoreWatcher;
        Key() = default;
    };
    GammaRestoreWatcher(Key, int socket, pid_t pid) : m_socket(socket), m_pid(pid) {}
    // Closing the socket ends the watcher; it restores only when last told kDimmed.
    ~GammaRestoreWatcher();
    GammaRestoreWatcher(const GammaRestoreWatcher&) = delete;
    GammaRestoreWatcher& operator=(const GammaRestoreWatcher&) = delete;

    void setDimmed(bool dimmed);

private:
    int m_socket;
    pid_t m_pid;
};
