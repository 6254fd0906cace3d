// Runs the built velmarto-score as a user runs it, for the command line's end-to-end tests.
#pragma once

#include <string>
#include <vector>

namespace velmarto::test {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Standard input for a run, from a file that lasts as long as the object.
class InputFile {
public:
    explicit InputFile(const std::string& text);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Runs the built velmarto-score with `args`, reading stdout and stderr together so neither pipe
// can fill up and stall it. With `stdoutPath`, stdout goes to that file instead; `stdinPath`
// gives standard input.
ToolRun RunTool(const std::vector<std::string>& args, const char* stdoutPath = nullptr,
                const char* stdinPath = "/dev/null");

}  // namespace velmarto::test
