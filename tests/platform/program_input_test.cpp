// A program fed on its input: what it said and its exit status come back, a program that
// went away is an error (never a signal that ends us), a missing one is kNotFound.
#include <gtest/gtest.h>

#include "platform/program_input.h"

namespace {

using platform::ProgramInput;

TEST(ProgramInput, FeedsTheProgramAndReportsHowItEnded) {
  auto cat = ProgramInput::start("sh", {"-c", "wc -c; exit 3"});
  ASSERT_TRUE(cat);
  ASSERT_TRUE(cat->write(std::string(100000, 'x')));
  auto fim = cat->finish();
  ASSERT_TRUE(fim);
  EXPECT_EQ(fim->status.code, 3);
  EXPECT_EQ(fim->output, "100000\n");

  auto foi = ProgramInput::start("true", {});
  ASSERT_TRUE(foi);
  rt::Status s;
  for (int i = 0; i < 100 && s; ++i) s = foi->write(std::string(65536, 'x'));
  EXPECT_FALSE(s) << "writing to a program that ended fails";
  EXPECT_TRUE(foi->finish());

  EXPECT_EQ(ProgramInput::start("nao-existe-este-programa", {}).code(), rt::Error::kNotFound);
}

}  // namespace
