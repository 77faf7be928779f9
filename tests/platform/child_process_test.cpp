#include "platform/child_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Result;

namespace {

using platform_test::readFile;
using platform_test::Scratch;
using platform_test::writeFile;

// A script that writes its arguments, one per line, into the file named by $OUT.
std::string argumentEcho(const Scratch& dir) {
  std::string path = dir / "echo-args";
  writeFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$OUT\"\nexit \"${CODE:-0}\"\n");
  chmod(path.c_str(), 0755);
  return path;
}

TEST(ChildProcess, ArgumentsReachTheProgramUntouched) {
  Scratch dir;
  std::string echo = argumentEcho(dir);
  std::vector<std::string> args{"C:\\DADOS\\", "two words", "it's \"quoted\"", "$(touch pwned)", "; rm -rf x", ""};
  RunOptions options;
  options.environment = {"OUT=" + (dir / "out.txt")};
  options.workingFolder = dir.path();
  Result<ExitStatus> r = runProgram(echo, args, options);
  ASSERT_TRUE(r) << r.status().message();
  EXPECT_TRUE(r->succeeded());
  EXPECT_EQ(readFile(dir / "out.txt"), "C:\\DADOS\\\ntwo words\nit's \"quoted\"\n$(touch pwned)\n; rm -rf x\n\n");
  EXPECT_FALSE(platform_test::exists(dir / "pwned"));
}

TEST(ChildProcess, ExitCodesSignalsAndMissingPrograms) {
  Scratch dir;
  std::string echo = argumentEcho(dir);
  RunOptions options;
  options.environment = {"OUT=/dev/null", "CODE=3"};
  Result<ExitStatus> r = runProgram(echo, {}, options);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->code, 3);
  EXPECT_FALSE(r->succeeded());

  const std::vector<std::string> killSelf{"-c", "kill -TERM $$"};
  Result<ExitStatus> killed = runProgram("/bin/sh", killSelf);
  ASSERT_TRUE(killed);
  EXPECT_EQ(killed->signal, SIGTERM);

  Result<ExitStatus> missing = runProgram(dir / "no-such-program", {});
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.code(), Error::kNotFound);
  EXPECT_EQ(runProgram("tavren-no-such-program-in-path", {}).code(), Error::kNotFound);
  EXPECT_EQ(findProgram("tavren-no-such-program-in-path"), "");
  EXPECT_EQ(findProgram("sh").empty(), false);

  options.workingFolder = dir / "no-such-folder";
  Result<ExitStatus> noFolder = runProgram(echo, {}, options);
  ASSERT_FALSE(noFolder);
  EXPECT_NE(noFolder.status().detail().find("no-such-folder"), std::string::npos);

  Result<std::string> own = runningProgramFolder();
  ASSERT_TRUE(own);
  EXPECT_TRUE(platform_test::exists(*own + "/test_platform"));
}

TEST(ChildProcess, TerminalIsHandedOverAndTakenBack) {
  struct Recorder : TerminalHandover {
    std::string log;
    void suspend() override { log += "suspend;"; }
    void resume() override { log += "resume;"; }
  } terminal;
  RunOptions options;
  options.terminal = &terminal;
  options.quiet = true;
  const std::vector<std::string> args{"-c", "exit 0"};
  ASSERT_TRUE(runProgram("sh", args, options));
  EXPECT_EQ(terminal.log, "suspend;resume;");
  terminal.log.clear();
  EXPECT_FALSE(runProgram("tavren-no-such-program-in-path", {}, options));
  EXPECT_EQ(terminal.log, "suspend;resume;");  // taken back even when the program is missing
}

TEST(ChildProcess, CapturesOutputWithLimitsAndTimeout) {
  const std::vector<std::string> args{"-c", "echo out; echo err >&2; exit 4"};
  Result<CapturedRun> plain = runAndCapture("sh", args);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->output, "out\n");
  EXPECT_EQ(plain->status.code, 4);

  CaptureOptions merged;
  merged.mergeErrors = true;
  EXPECT_EQ(runAndCapture("sh", args, merged)->output, "out\nerr\n");

  CaptureOptions small;
  small.maxOutput = 10;
  const std::vector<std::string> lots{"-c", "yes | head -c 100000"};
  Result<CapturedRun> cut = runAndCapture("sh", lots, small);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->output, "y\ny\ny\ny\ny\n");

  CaptureOptions quick;
  quick.timeout = std::chrono::milliseconds(200);
  const std::vector<std::string> slow{"-c", "exec sleep 5"};
  Result<CapturedRun> late = runAndCapture("sh", slow, quick);
  ASSERT_FALSE(late);
  EXPECT_EQ(late.code(), Error::kFailed);
  const std::vector<std::string> silentSlow{"-c", "exec sleep 5 >/dev/null"};
  EXPECT_EQ(runAndCapture("sh", silentSlow, quick).code(), Error::kFailed);
}

}  // namespace
}  // namespace platform
