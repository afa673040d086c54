#pragma once
// Runs a built program or script from outside, as a player or a modder would, and collects what
// it printed and how it ended. No shell is involved, so arguments need no quoting.

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // the exit status; 128 + the signal number when a signal ended it
    std::string out;  // standard output
    std::string err;  // standard error
};

// `command` is the program's path followed by its arguments; it runs in `folder` when one is
// given. Standard input is /dev/null. A program that cannot be started gives status 127 and a
// line on `err`.
inline ProgramRun runProgram(const std::vector<std::string>& command, const std::string& folder = "") {
    ProgramRun run;
    int outPipe[2];
    int errPipe[2];
    if (command.empty() || ::pipe(outPipe) != 0) return run;
    if (::pipe(errPipe) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return run;
    }
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        ::close(errPipe[0]);
        ::close(errPipe[1]);
        if (FILE* nothing = std::freopen("/dev/null", "r", stdin)) (void)nothing;
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
        ::execv(argv[0], argv.data());
        std::string message = "cannot start " + command[0] + "\n";
        if (::write(2, message.data(), message.size()) < 0) {}
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (child < 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return run;
    }
    // Both pipes are drained together: a program that fills one while the other is read would
    // otherwise wait for ever.
    pollfd streams[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* targets[2] = {&run.out, &run.err};
    int open = 2;
    while (open > 0) {
        if (::poll(streams, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || !(streams[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                targets[i]->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& stream : streams)
        if (stream.fd >= 0) ::close(stream.fd);
    int raw = 0;
    while (::waitpid(child, &raw, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(raw))
        run.status = WEXITSTATUS(raw);
    else if (WIFSIGNALED(raw))
        run.status = 128 + WTERMSIG(raw);
    return run;
}
