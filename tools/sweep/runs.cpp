#include "runs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

extern char** environ;

namespace sweep {

namespace {

pid_t spawn(const Run& run) {
    std::vector<char*> argv;
    for (const std::string& argument : run.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, run.outputPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

}  // namespace

void runAll(std::vector<Run>& runs, int jobs, void (*started)(size_t index, size_t count)) {
    std::map<pid_t, size_t> running;
    size_t next = 0;
    while (next < runs.size() || !running.empty()) {
        while (next < runs.size() && static_cast<int>(running.size()) < jobs) {
            if (started) started(next, runs.size());
            const pid_t pid = spawn(runs[next]);
            if (pid > 0) running[pid] = next;
            else runs[next].status = 127;  // the program could not be started
            ++next;
        }
        if (running.empty()) continue;
        int waitStatus = 0;
        const pid_t pid = waitpid(-1, &waitStatus, 0);
        if (pid < 0) break;
        const auto found = running.find(pid);
        if (found == running.end()) continue;
        runs[found->second].status = statusOf(waitStatus);
        running.erase(found);
    }
}

}  // namespace sweep
