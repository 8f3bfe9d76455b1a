#include "platform/GammaRestoreWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <utility>

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Long enough for a start under a sanitizer on a busy machine.
constexpr int kReadyTimeoutMs = 10000;

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

bool awaitReady(int socket)
{
    pollfd ready{socket, POLLIN, 0};
    int polled = 0;
    do {
        polled = ::poll(&ready, 1, kReadyTimeoutMs);
    } while (polled < 0 && errno == EINTR);
    char reply = 0;
    return polled == 1 && ::read(socket, &reply, 1) == 1
           && reply == GammaRestoreWatcher::kReady;
}

}  // namespace

QString GammaRestoreWatcher::helperPath()
{
    const QFileInfo self(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
    return self.dir().filePath(QLatin1String(kHelperName));
}

std::unique_ptr<GammaRestoreWatcher> GammaRestoreWatcher::start(const QByteArray& displayName)
{
    int ends[2];
    // Close-on-exec, so that no other program this one starts keeps the watcher waiting.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    Descriptor ours(ends[0]);
    Descriptor theirs(ends[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, theirs.get(), STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so a Ctrl-C meant for this program does not end
    // the watcher too; no signal blocked that some thread of ours blocks.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);

    QByteArray path = QFile::encodeName(helperPath());
    QByteArray display = displayName;
    char* argv[] = {path.data(), display.data(), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, path.constData(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        return nullptr;
    theirs.reset();
    if (!awaitReady(ours.get())) {
        ours.reset();  // a watcher that is late after all finds its socket closed
        ::waitpid(pid, nullptr, WNOHANG);
        return nullptr;
    }
    return std::make_unique<GammaRestoreWatcher>(Key(), ours.release(), pid);
}

GammaRestoreWatcher::~GammaRestoreWatcher()
{
    ::close(m_socket);
    ::waitpid(m_pid, nullptr, WNOHANG);
}

void GammaRestoreWatcher::setDimmed(bool dimmed)
{
    const char state = dimmed ? kDimmed : kRestored;
    // No SIGPIPE should the watcher be gone.
    ::send(m_socket, &state, 1, MSG_NOSIGNAL);
}
