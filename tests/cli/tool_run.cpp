// The built program run through posix_spawn, with its output read as it comes.
#include "tests/cli/tool_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>

extern char** environ;

namespace velmarto::test {

InputFile::InputFile(const std::string& text)
    : m_path(::testing::TempDir() + "velmarto-stdin-" + std::to_string(getpid())) {
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

InputFile::~InputFile() {
    std::remove(m_path.c_str());
}

ToolRun RunTool(const std::vector<std::string>& args, const char* stdoutPath,
                const char* stdinPath) {
    std::array<int, 2> outPipe{}, errPipe{};
    if (pipe(outPipe.data()) != 0 || pipe(errPipe.data()) != 0) {
        ADD_FAILURE() << "pipe failed";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    if (stdoutPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath, O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, stdinPath, O_RDONLY, 0);
    std::vector<char*> argv{const_cast<char*>(VELMARTO_SCORE_PATH)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, VELMARTO_SCORE_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    ToolRun run;
    std::array<pollfd, 2> fds = {pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}};
    std::array<std::string*, 2> sinks = {&run.out, &run.err};
    int open = 2;
    while (spawned == 0 && open > 0 && poll(fds.data(), fds.size(), -1) > 0) {
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[65536];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    return run;
}

}  // namespace velmarto::test
