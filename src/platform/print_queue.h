// A CUPS queue as a print target: `lp -d QUEUE -o raw` (the model's own control sequences go
// to the printer untouched) fed on its input while the job is produced; the job is submitted
// when the target is closed and lp's exit status decides.
#pragma once

#include <memory>
#include <string>

#include "rt/base/result.h"
#include "rt/dev/target.h"

namespace platform {

// `lp` is found in PATH unless given with a "/".
rt::Result<std::unique_ptr<rt::dev::Target>> openQueue(const std::string& queue,
                                                       const std::string& lp = "lp");

}  // namespace platform
