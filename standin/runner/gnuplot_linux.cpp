#include "standin/runner/gnuplot.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace standin::runner {
namespace {

// Where a program of that name would be run from; empty when nowhere.
std::string findProgram(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        struct stat info;
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

}  // namespace

bool runGnuplot(const std::string& gnuplot, const std::string& scriptPath,
                const std::string& csvPath, const std::string& pngPath,
                const std::string& logPath, std::string* why) {
    const std::string program = findProgram(gnuplot);
    if (program.empty()) {
        *why = gnuplot + " not found (install the gnuplot-nox package)";
        return false;
    }
    const std::string title = std::filesystem::path(csvPath).filename().string();
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("-c"),
                          const_cast<char*>(scriptPath.c_str()), const_cast<char*>(csvPath.c_str()),
                          const_cast<char*>(pngPath.c_str()), const_cast<char*>(title.c_str()),
                          nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, logPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        *why = "cannot run " + program + ": " + std::strerror(spawned);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            *why = "lost " + program + ": " + std::strerror(errno);
            return false;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *why = program + " failed (status " + std::to_string(status) + "), see " + logPath;
        return false;
    }
    return true;
}

}  // namespace standin::runner
