#include <string>

#include "harness/child_process.h"
#include "harness/process_start_windows.h"
#include "harness/temp_dir.h"
#include "platform/win32_api.h"

namespace nodexa::test {

namespace {

constexpr DWORD kTimeout = 120000;

// One argument as the C runtime's command-line parser reads it back:
// quoted when it holds blanks or quotes (or is empty), quotes escaped, and
// backslashes doubled where they precede a quote.
std::string Quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

UniqueFileHandle Inheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return UniqueFileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

ChildResult RunProgram(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) {
  ChildResult result;
  const TempDir scratch;
  const std::string out = scratch.File("out");
  const std::string err = scratch.File("err");
  bool ended = false;
  {
    const UniqueFileHandle input = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    const UniqueFileHandle output = Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    const UniqueFileHandle errors = Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
    std::string command = Quoted(program.string());
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = errors.get();
    PROCESS_INFORMATION process = {};
    if (!StartProcess(command, true, startup, process)) {
      result.err = "CreateProcessA failed with " + std::to_string(GetLastError());
      return result;
    }
    const UniqueProcessHandle child(process.hProcess);
    const UniqueProcessHandle thread(process.hThread);
    DWORD exitCode = 0;
    ended = WaitForSingleObject(child.get(), kTimeout) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(child.get(), &exitCode);
    if (ended) {
      result.exitStatus = static_cast<int>(exitCode);
    } else {
      TerminateProcess(child.get(), 1);
    }
  }
  result.out = ReadBinary(out);
  result.err = ReadBinary(err);
  if (!ended) result.err += "\n(the program did not end within the time allowed)";
  return result;
}

}  // namespace nodexa::test
