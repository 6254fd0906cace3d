// velmarto-score run as a user runs it: the built program, its exit code, stdout and stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cli/score_cli.h"
#include "engine/cp932.h"

extern char** environ;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built velmarto-score with `args`, reading stdout and stderr together so neither pipe
// can fill up and stall it. With `stdoutPath`, stdout goes to that file instead.
ToolRun RunTool(const std::vector<std::string>& args, const char* stdoutPath = nullptr) {
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
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
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

struct Invocation {
    std::vector<std::string> args;
    std::string out;
};

TEST(VelmartoScore, PrintsTheReportLine) {
    const Invocation cases[] = {
        {{"1", "30"}, "点数＝1500点　子の支払い 500点オール\n"},
        {{"--dealer", "1", "30"}, "点数＝1500点　子の支払い 500点オール\n"},
        {{"--non-dealer", "13", "30"},
         "点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点\n"},
        {{"1", "--non-dealer", "20"}, "点数＝700点　親の支払い 400点／子の支払い 200点\n"},
        {{"2", "25"}, "点数＝2400点　子の支払い 800点オール\n"},
        {{"0", "50"}, "役無しチョンボ！ 子への支払い オール4000点\n"},
        {{"--non-dealer", "0", "50"},
         "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点\n"},
        {{"119", "200"},
         "点数＝3190澗1471溝8988穣3798杼0949垓6913京6944兆6728億2698万2400点"
         "　子の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点オール\n"},
        {{"--encoding=cp932", "1", "30"},
         velmarto::ToCp932("点数＝1500点　子の支払い 500点オール\n")},
        {{"--version"}, "velmarto-score 0.1.0.1\n"},
    };
    for (const Invocation& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args[0];
        EXPECT_EQ(run.out, c.out) << c.args[0];
        EXPECT_EQ(run.err, "") << c.args[0];
    }
}

TEST(VelmartoScore, PrintsTablesInEveryFormat) {
    const Invocation cases[] = {
        {{"--table", "--han", "1-1"},
         "飜\t符\t点数\t子の支払い（オール）\n"
         "1\t20\t1000点\t400点\n"
         "1\t25\t1200点\t400点\n"
         "1\t30\t1500点\t500点\n"},
        {{"--table", "--non-dealer", "--han=119-119", "--format", "csv", "--plain"},
         "飜,符,点数,親の支払い,子の支払い\n"
         "119,20,212676479325586539664609129644855132200,106338239662793269832304564822427566100,"
         "53169119831396634916152282411213783100\n"},
        {{"--table", "--han", "4-4", "--format", "markdown", "--non-dealer"},
         "| 飜 | 符 | 点数 | 親の支払い | 子の支払い |\n|---:|---:|---:|---:|---:|\n"
         "| 4 | 20 | 5200点 | 2600点 | 1300点 |\n"},
    };
    for (const Invocation& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out.substr(0, 400);
        EXPECT_EQ(run.err, "");
    }
}

TEST(VelmartoScore, FullTableHasOneRowPerHanAndFu) {
    const ToolRun run = RunTool({"--table", "--non-dealer"});
    ASSERT_EQ(run.exitCode, 0);
    const std::string lastRow =
        "119\t200\t2126澗7647溝9325穣5865杼3966垓4609京1296兆4485億5132万1600点\t"
        "1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点\t"
        "531澗6911溝9831穣3966杼3491垓6152京2824兆1121億3783万0400点\n";
    EXPECT_TRUE(run.out.ends_with(lastRow));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 119 * 20);
}

TEST(VelmartoScore, RejectsBadCommandLinesWithoutOutput) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "missing HAN and FU (usage: velmarto-score [--dealer | --non-dealer] HAN FU)"},
        {{"3"}, "missing FU (usage: velmarto-score [--dealer | --non-dealer] HAN FU)"},
        {{"3", "30", "1"}, "unexpected argument '1' (see velmarto-score --help)"},
        {{"120", "30"}, "HAN must be a whole number from 0 to 119, not '120'"},
        {{"-1", "30"}, "HAN must be a whole number from 0 to 119, not '-1'"},
        {{"+3", "30"}, "HAN must be a whole number from 0 to 119, not '+3'"},
        {{"３", "30"}, "HAN must be a whole number from 0 to 119, not '３'"},
        {{"99999999999999999999", "30"},
         "HAN must be a whole number from 0 to 119, not '99999999999999999999'"},
        {{"3", "35"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '35'"},
        {{"3", "210"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '210'"},
        {{"3", "30fu"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '30fu'"},
        {{"3", ""}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not ''"},
        {{"--bogus"}, "unknown option '--bogus' (see velmarto-score --help)"},
        {{"--dealer", "--non-dealer", "1", "30"}, "choose one of --dealer and --non-dealer"},
        {{"--dealer=yes", "1", "30"}, "--dealer takes no value (see velmarto-score --help)"},
        {{"--plain", "1", "30"}, "--plain only applies with --table"},
        {{"--han", "1-3", "1", "30"}, "--han only applies with --table"},
        {{"--table", "3"}, "unexpected argument '3' with --table"},
        {{"--table", "--han"}, "--han needs a value (see velmarto-score --help)"},
        {{"--table", "--han", "0-3"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '0-3'"},
        {{"--table", "--han", "5-3"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '5-3'"},
        {{"--table", "--han", "5"}, "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '5'"},
        {{"--table", "--han", "1-120"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '1-120'"},
        {{"--table", "--format", "xml"}, "--format must be tsv, csv or markdown, not 'xml'"},
        {{"--encoding", "latin1", "1", "30"}, "--encoding must be utf-8 or cp932, not 'latin1'"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, velmarto::cli::kExitUsage) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(run.err, "velmarto-score: " + message + "\n");
    }
}

TEST(VelmartoScore, FailsWhenTheOutputIsLost) {
    // A line fails at the final flush, a whole table already inside fwrite.
    const std::vector<std::string> cases[] = {{"1", "30"}, {"--table"}, {"--help"}};
    for (const std::vector<std::string>& args : cases) {
        const ToolRun run = RunTool(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_EQ(run.err, "velmarto-score: cannot write the output\n") << args[0];
    }
}

TEST(VelmartoScore, HelpListsUsageAndExitsZero) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: velmarto-score [--dealer | --non-dealer] HAN FU\n"));
    EXPECT_NE(run.out.find("--encoding"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

}  // namespace
