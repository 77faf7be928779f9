#include "rt/base/status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "rt/base/result.h"

namespace {

using rt::Error;
using rt::Status;

// The messages alerts and logs show: the code's name, then the call and the OS's own words.
TEST(Status, ErrnoMapsOntoTheSharedCodesAndTheMessageNamesCodeCallAndReason) {
  struct Caso {
    int err;
    Error code;
    const char* name;
  };
  const Caso casos[] = {
      {ENOENT, Error::kNotFound, "not found"},       {EEXIST, Error::kExists, "already exists"},
      {ENOTEMPTY, Error::kExists, "already exists"}, {ENOTDIR, Error::kNotFolder, "not a folder"},
      {EACCES, Error::kAccess, "permission denied"}, {EPERM, Error::kAccess, "permission denied"},
      {EROFS, Error::kAccess, "permission denied"},  {ENOSPC, Error::kNoSpace, "no space left"},
      {EDQUOT, Error::kNoSpace, "no space left"},    {EIO, Error::kIo, "input/output error"},
      {EBADF, Error::kIo, "input/output error"},
  };
  for (const Caso& c : casos) {
    const Status s = Status::fromErrno(c.err, "open /x");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.code(), c.code) << c.err;
    EXPECT_EQ(s.detail(), std::string("open /x: ") + std::strerror(c.err));
    EXPECT_EQ(s.message(), std::string(c.name) + ": open /x: " + std::strerror(c.err));
  }
  EXPECT_TRUE(Status::ok());
  EXPECT_EQ(Status::ok().message(), "ok");
  EXPECT_EQ(Status(Error::kOverflow, "").message(), "number does not fit the field");
  EXPECT_EQ(Status(Error::kInUse, "A.DBF").message(), "in use by another terminal: A.DBF");
}

rt::Status passaAdiante(rt::Status s, int& depois) {
  RT_TRY(s);
  ++depois;
  return {};
}

TEST(Status, ResultHoldsValueOrErrorAndTryReturnsTheFirstError) {
  const rt::Result<int> bom = 7;
  EXPECT_TRUE(bom);
  EXPECT_EQ(*bom, 7);
  EXPECT_EQ(bom.code(), Error::kNone);
  EXPECT_TRUE(bom.status());
  const rt::Result<int> ruim(Error::kLocked, "rec 3");
  EXPECT_FALSE(ruim);
  EXPECT_EQ(ruim.code(), Error::kLocked);
  EXPECT_EQ(ruim.status().message(), "locked: rec 3");

  int depois = 0;
  EXPECT_EQ(passaAdiante({Error::kCorrupt, "x.cdx"}, depois).message(), "corrupt: x.cdx");
  EXPECT_EQ(depois, 0);
  EXPECT_TRUE(passaAdiante({}, depois));
  EXPECT_EQ(depois, 1);
}

}  // namespace
