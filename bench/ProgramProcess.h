#pragma once

// The program itself started as a separate process, as a user starts it,
// with HOME and the XDG folders in a folder of the bench's choosing. It
// reports its first chart frame on standard output (NORVANE_FIRST_CHART);
// the time to that line is the time a user waits. The process is killed
// when the object goes, so no bench leaves one behind.
#include "BenchMain.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

class ProgramProcess {
public:
    // How long a start may take before the bench gives up on it.
    static constexpr std::chrono::seconds kDeadline{60};

    // The program built beside the bench, or another build of it named by
    // NORVANE_BENCH_PROGRAM (to set two builds side by side).
    static std::string program()
    {
        const char* other = std::getenv("NORVANE_BENCH_PROGRAM");
        return other && *other ? other : NORVANE_PROGRAM;
    }

    // Starts `program` with its home in `home` (made by the caller);
    // `quitAfterChart` makes it leave after its first chart frame.
    ProgramProcess(const std::string& program, const std::string& home, bool quitAfterChart)
    {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        m_output = out[0];
        std::vector<std::string> variables;
        for (char** entry = environ; *entry; ++entry) {
            const std::string variable = *entry;
            if (!isHomeVariable(variable) && variable.rfind("NORVANE_FIRST_CHART=", 0) != 0)
                variables.push_back(variable);
        }
        variables.push_back("HOME=" + home);
        variables.push_back("XDG_CONFIG_HOME=" + home + "/.config");
        variables.push_back("XDG_DATA_HOME=" + home + "/.local/share");
        variables.push_back("XDG_CACHE_HOME=" + home + "/.cache");
        variables.push_back("XDG_STATE_HOME=" + home + "/.local/state");
        variables.push_back(std::string("NORVANE_FIRST_CHART=") + (quitAfterChart ? "quit" : "report"));
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        m_started = std::chrono::steady_clock::now();
        if (posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
    }

    ~ProgramProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            close(m_output);
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Seconds from the start to the first chart frame; none when the program
    // died, said nothing or took longer than the deadline.
    std::optional<double> waitForFirstChart()
    {
        if (m_pid <= 0)
            return std::nullopt;
        const auto deadline = m_started + kDeadline;
        QByteArray said;
        char buffer[256];
        while (!said.contains("first chart\n")) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || said.size() > 65536)
                return std::nullopt;
            pollfd ready{m_output, POLLIN, 0};
            const int polled = poll(&ready, 1, int(left.count()));
            if (polled < 0 && errno == EINTR)
                continue;
            if (polled <= 0)
                return std::nullopt;
            const ssize_t count = read(m_output, buffer, sizeof buffer);
            if (count <= 0)
                return std::nullopt;
            said.append(buffer, count);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    }

    // Waits for a program that quits by itself; true when it left cleanly.
    bool waitForExit()
    {
        int status = 0;
        const bool exited = m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid;
        m_pid = -1;
        return exited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // One "Name:  value kB" line of the process's smaps_rollup, in bytes.
    std::optional<double> memory(const char* name) const
    {
        QFile rollup(QString("/proc/%1/smaps_rollup").arg(m_pid));
        if (!rollup.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray key = QByteArray(name) + ':';
        for (const QByteArray& line : rollup.read(1 << 16).split('\n')) {
            if (line.startsWith(key))
                return 1024.0 * line.mid(key.size()).trimmed().split(' ').value(0).toDouble();
        }
        return std::nullopt;
    }

    // The processor time all the process's threads have had so far, in
    // seconds: what a start costs whatever else the machine is doing.
    std::optional<double> cpuSeconds() const
    {
        const QDir tasks(QString("/proc/%1/task").arg(m_pid));
        const QStringList threads = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (threads.isEmpty())
            return std::nullopt;
        double seconds = 0.0;
        for (const QString& thread : threads) {
            QFile schedstat(tasks.filePath(thread + "/schedstat"));
            if (schedstat.open(QIODevice::ReadOnly))
                seconds += schedstat.read(256).split(' ').value(0).toDouble() * 1e-9;
        }
        return seconds;
    }

    // The shared libraries mapped into the process now.
    std::optional<int> libraryCount() const
    {
        QFile maps(QString("/proc/%1/maps").arg(m_pid));
        if (!maps.open(QIODevice::ReadOnly))
            return std::nullopt;
        QList<QByteArray> seen;
        for (const QByteArray& line : maps.read(1 << 22).split('\n')) {
            const int slash = line.indexOf('/');
            if (slash >= 0 && line.contains(".so")) {
                const QByteArray path = line.mid(slash);
                if (!seen.contains(path))
                    seen.append(path);
            }
        }
        return int(seen.size());
    }

private:
    static bool isHomeVariable(const std::string& variable)
    {
        for (const char* name : {"HOME=", "XDG_CONFIG_HOME=", "XDG_DATA_HOME=", "XDG_CACHE_HOME=", "XDG_STATE_HOME="})
            if (variable.rfind(name, 0) == 0)
                return true;
        return false;
    }

    pid_t m_pid = -1;
    int m_output = -1;
    std::chrono::steady_clock::time_point m_started;
};

// The main of a bench of the program as a process: the bench's own home
// becomes the program's, where a first start, not timed, installs the data
// folder the timed starts find; then the benchmarks the command line names.
inline int runProgramBenchmarks(int argc, char** argv)
{
    QCoreApplication::setOrganizationName("Norvane");
    QCoreApplication::setApplicationName("Norvane Pro");
    QCoreApplication app(argc, argv);
    const BenchIsolation isolated;
    pinToOneCore();
    ProgramProcess install(ProgramProcess::program(), benchHome(), true);
    if (!install.waitForFirstChart() || !install.waitForExit()) {
        std::fprintf(stderr, "The program %s did not reach its first chart.\n", ProgramProcess::program().c_str());
        return EXIT_FAILURE;
    }
    return runBenchmarks(argc, argv);
}
