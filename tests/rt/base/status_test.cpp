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
    EXPECT_EQ(s.sysError(), c.err);
  }
  EXPECT_EQ(Status(Error::kIo, "x").sysError(), 0);
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

rt::Status dizUmaVez(rt::Status s, int& ditas) {
  if (s.isOk() || s.told()) return s;
  ++ditas;
  return s.markTold();
}

// A failure said once is marked told by whoever said it, and stays marked on its way up
// (copied, through RT_TRY, into a Result); an ok status is never told, and telling keeps the
// code, the detail and the system's number.
TEST(Status, ToldIsSetByTheOneWhoSaysItAndTravelsUpSoNoOneSaysItTwice) {
  EXPECT_FALSE(Status::ok().markTold().told());
  EXPECT_TRUE(Status::ok().markTold());
  const Status cru = Status::fromErrno(ENOSPC, "write /x");
  EXPECT_FALSE(cru.told());
  int ditas = 0;
  const Status dito = dizUmaVez(dizUmaVez(cru, ditas), ditas);
  EXPECT_EQ(ditas, 1);
  EXPECT_TRUE(dito.told());
  EXPECT_FALSE(dito);
  EXPECT_EQ(dito.code(), Error::kNoSpace);
  EXPECT_EQ(dito.message(), cru.message());
  EXPECT_EQ(dito.sysError(), ENOSPC);
  int depois = 0;
  EXPECT_TRUE(passaAdiante(dito, depois).told());
  const rt::Result<int> r = dito;
  EXPECT_TRUE(r.status().told());
  EXPECT_EQ(dizUmaVez(passaAdiante(dito, depois), ditas).message(), cru.message());
  EXPECT_EQ(ditas, 1);
  EXPECT_EQ(depois, 0);
}

}  // namespace
