#include "platform/printer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "rt/text/cp860.h"
#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Status;

namespace {

using platform_test::readFile;
using platform_test::Scratch;
using platform_test::writeFile;
using namespace rt::text::literals;

EnvLookup noEnvironment() {
  return [](const char*) -> const char* { return nullptr; };
}

std::string script(const Scratch& dir, const std::string& name, const std::string& body) {
  std::string path = dir / name;
  writeFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
  return path;
}

TEST(PortMap, OldPortNamesToDevices) {
  Scratch dev;
  PortMap ports(dev.path(), noEnvironment());
  EXPECT_EQ(*ports.device("LPT1"), dev / "lp0");
  EXPECT_EQ(*ports.device("lpt3:"), dev / "lp2");
  EXPECT_EQ(*ports.device("PRN"), dev / "lp0");
  EXPECT_EQ(*ports.device("COM1"), dev / "ttyS0");
  EXPECT_EQ(*ports.device("com4:"), dev / "ttyS3");
  EXPECT_EQ(*ports.device("AUX"), dev / "ttyS0");
  EXPECT_FALSE(ports.device("LPT0"));
  EXPECT_FALSE(ports.device("LPT10"));
  EXPECT_FALSE(ports.device("\\\\SERVIDOR\\HP"));
  EXPECT_FALSE(isPortName("LASER"));
  EXPECT_TRUE(isPortName(" lpt2 "));

  // A USB printer that is plugged in takes the parallel port's place.
  std::filesystem::create_directories(dev / "usb");
  writeFile(dev / "usb/lp0", "");
  EXPECT_EQ(ports.parallel(1), dev / "usb/lp0");
  EXPECT_EQ(ports.parallel(2), dev / "lp1");

  std::map<std::string, std::string> env{{"TAVREN_LPT1", "/dev/usb/lp3"}, {"TAVREN_COM2", "/dev/ttyUSB0"}};
  PortMap custom(dev.path(), [&](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(*custom.device("LPT1"), "/dev/usb/lp3");
  EXPECT_EQ(*custom.device("COM2"), "/dev/ttyUSB0");
  EXPECT_EQ(*custom.device("COM1"), dev / "ttyS0");
}

TEST(PortMap, NetworkNamesToQueues) {
  EXPECT_EQ(cupsQueueName("\\\\SERVIDOR\\HP_Laser"), "HP_Laser");
  EXPECT_EQ(cupsQueueName("\\\\SERVIDOR\\HP Laser\\"), "HP_Laser");
  EXPECT_EQ(cupsQueueName("HP LaserJet 1020  "), "HP_LaserJet_1020");
  EXPECT_EQ(cupsQueueName("Sala#2/A"), "Sala_2_A");
  EXPECT_EQ(cupsQueueName(std::string("Impress") + std::string("\x84", 1) + "o"), "Impress_o");
  EXPECT_EQ(cupsQueueName("   "), "");
}

TEST(PortMap, DeviceReadinessIsBestEffort) {
  Scratch dir;
  EXPECT_FALSE(deviceReady(dir / "lp0"));  // no such device
  writeFile(dir / "lp0", "");
  EXPECT_TRUE(deviceReady(dir / "lp0"));   // opens, the driver says nothing more
  EXPECT_TRUE(deviceReady("/dev/ttyS3"));  // serial ports are taken as ready
  EXPECT_FALSE(deviceReady(""));
}

class SystemPrinterTest : public ::testing::Test {
 protected:
  // A fake lp that records its arguments and a copy of the file it was given.
  std::string fakeLp(int exitCode = 0) {
    return script(dir, "lp",
                  "log=\"" + dir.path() + "/lp.log\"\n"
                  ": > \"$log\"\n"
                  "for a in \"$@\"; do printf '[%s]' \"$a\" >> \"$log\"; last=\"$a\"; done\n"
                  "cp \"$last\" \"" + dir.path() + "/printed\"\n"
                  "echo \"request id is fila-7 (1 file(s))\"\n"
                  "[ " + std::to_string(exitCode) + " = 0 ] || echo 'lp: The printer or class does not exist.' >&2\n"
                  "exit " + std::to_string(exitCode) + "\n");
  }
  Scratch dir;
};

TEST_F(SystemPrinterTest, SendsTheCapturedFileConvertedToUtf8) {
  SystemPrinter printer(fakeLp(), dir / "lpstat", noEnvironment());
  ASSERT_TRUE(printer.available());
  std::string captured = std::string("Declara"_cp) + std::string("ção"_cp) + "\r\n\f";
  writeFile(dir / "NAO-DOS.TXT", captured);
  PrintRequest job;
  job.file = dir / "NAO-DOS.TXT";
  job.queue = "Sala_2";
  job.copies = 2;
  job.options = {"cpi=12"};
  Status s = printer.print(job);
  ASSERT_TRUE(s) << s.message();
  std::string log = readFile(dir / "lp.log");
  EXPECT_EQ(log.substr(0, log.find("[/")), "[-d][Sala_2][-n][2][-t][NAO-DOS.TXT][-o][cpi=12]");
  EXPECT_EQ(readFile(dir / "printed"), "Declaração\r\n\f");  // UTF-8, controls kept
  // The private UTF-8 copy is gone once lp has the job.
  std::string copy = log.substr(log.rfind('[') + 1);
  copy.pop_back();
  EXPECT_FALSE(platform_test::exists(copy));

  job.fromCp860 = false;
  job.queue.clear();
  job.copies = 1;
  job.options.clear();
  ASSERT_TRUE(printer.print(job));
  EXPECT_EQ(readFile(dir / "lp.log"), "[-t][NAO-DOS.TXT][" + (dir / "NAO-DOS.TXT") + "]");
  EXPECT_EQ(readFile(dir / "printed"), captured);
}

TEST_F(SystemPrinterTest, ReportsWhyNothingWasPrinted) {
  writeFile(dir / "R.TXT", "x");
  PrintRequest job;
  job.file = dir / "R.TXT";

  SystemPrinter none(dir / "no-lp-here", dir / "no-lpstat-here", noEnvironment());
  EXPECT_FALSE(none.available());
  EXPECT_EQ(none.print(job).code(), Error::kNotAvailable);
  EXPECT_EQ(none.defaultPrinter().code(), Error::kNotAvailable);
  EXPECT_EQ(none.isReady("x").code(), Error::kNotAvailable);

  SystemPrinter refusing(fakeLp(1), "lpstat", noEnvironment());
  Status s = refusing.print(job);
  EXPECT_EQ(s.code(), Error::kFailed);
  EXPECT_NE(s.detail().find("does not exist"), std::string::npos) << s.detail();

  SystemPrinter fine(fakeLp(), "lpstat", noEnvironment());
  job.file = dir / "MISSING.TXT";
  EXPECT_EQ(fine.print(job).code(), Error::kNotFound);
  job.file = dir / "R.TXT";
  job.copies = 0;
  EXPECT_EQ(fine.print(job).code(), Error::kBadArgument);
}

TEST_F(SystemPrinterTest, LpIsFoundInPath) {
  fakeLp();
  std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (dir.path() + ":" + oldPath).c_str(), 1);
  SystemPrinter printer;
  bool available = printer.available();
  writeFile(dir / "R.TXT", "x");
  PrintRequest job;
  job.file = dir / "R.TXT";
  Status s = printer.print(job);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(available);
  EXPECT_TRUE(s) << s.message();
  EXPECT_EQ(readFile(dir / "printed"), "x");
}

TEST_F(SystemPrinterTest, DefaultPrinterAndReadiness) {
  std::string lpstat = script(dir, "lpstat",
                              "case \"$1\" in\n"
                              "-d) cat \"" + dir.path() + "/default\" ;;\n"
                              "-e) printf 'Sala\\nBusy\\n\\nOff\\n' ;;\n"
                              "-p) case \"$2\" in\n"
                              "    Sala) echo \"printer Sala is idle.  enabled since Wed 09 Dec 2026\" ;;\n"
                              "    Busy) echo \"printer Busy now printing Busy-12.  enabled since Wed\" ;;\n"
                              "    Off) echo \"printer Off disabled since Wed 09 Dec 2026 -\"; echo \"\tPaused\" ;;\n"
                              "    *) echo \"lpstat: Invalid destination name in list \\\"$2\\\".\" >&2; exit 1 ;;\n"
                              "    esac ;;\n"
                              "esac\n");
  SystemPrinter printer("lp", lpstat, noEnvironment());
  writeFile(dir / "default", "system default destination: HP_LaserJet\n");
  EXPECT_EQ(*printer.defaultPrinter(), "HP_LaserJet");
  writeFile(dir / "default", "no system default destination\n");
  EXPECT_EQ(printer.defaultPrinter().code(), Error::kNotAvailable);

  std::map<std::string, std::string> env{{"PRINTER", "Escolhida"}};
  SystemPrinter withEnv("lp", lpstat, [&](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(*withEnv.defaultPrinter(), "Escolhida");
  env["LPDEST"] = "Primeira";
  EXPECT_EQ(*withEnv.defaultPrinter(), "Primeira");

  EXPECT_TRUE(*printer.isReady("Sala"));
  EXPECT_TRUE(*printer.isReady("Busy"));
  EXPECT_FALSE(*printer.isReady("Off"));
  EXPECT_EQ(printer.isReady("Nenhuma").code(), Error::kNotFound);
  EXPECT_EQ(*printer.printerNames(), (std::vector<std::string>{"Sala", "Busy", "Off"}));
}

}  // namespace
}  // namespace platform
