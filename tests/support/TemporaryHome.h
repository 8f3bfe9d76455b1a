#pragma once

// A home folder of this process's own, made before anything reads a setting
// or a standard path: HOME and the XDG folders point into a fresh temporary
// folder, so the user's own settings, data and caches are never read or
// written. Plain POSIX, so it can run before the application object exists;
// the folder and everything in it go when the object does.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

class TemporaryHome {
public:
    TemporaryHome()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/norvane-home-XXXXXX";
        if (!mkdtemp(pattern.data()))
            fail("no temporary home folder can be made");
        m_path = pattern;
        point("HOME", "");
        point("XDG_CONFIG_HOME", "/.config");
        point("XDG_DATA_HOME", "/.local/share");
        point("XDG_CACHE_HOME", "/.cache");
        point("XDG_STATE_HOME", "/.local/state");
    }
    ~TemporaryHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    const std::string& path() const { return m_path; }

private:
    [[noreturn]] static void fail(const char* what)
    {
        std::fprintf(stderr, "Temporary home: %s.\n", what);
        std::exit(EXIT_FAILURE);
    }

    void point(const char* variable, const char* sub)
    {
        const std::string folder = m_path + sub;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error || setenv(variable, folder.c_str(), 1) != 0)
            fail("a folder of the temporary home cannot be made");
    }

    std::string m_path;
};
