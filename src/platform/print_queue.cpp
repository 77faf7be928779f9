#include "platform/print_queue.h"

#include <vector>

#include "platform/program_input.h"

namespace platform {

namespace {

using rt::Error;
using rt::Status;

class QueueTarget final : public rt::dev::Target {
 public:
  QueueTarget(ProgramInput lp, std::string queue) : lp_(std::move(lp)), name_(std::move(queue)) {}
  Status write(std::string_view bytes) override {
    if (closed_) return {Error::kIo, name_ + " is closed"};
    return lp_.write(bytes);
  }
  Status close() override {
    if (closed_) return {};
    closed_ = true;
    rt::Result<CapturedRun> run = lp_.finish();
    if (!run) return run.status();
    if (!run->status.succeeded()) {
      std::string said = run->output;
      while (!said.empty() && (said.back() == '\n' || said.back() == ' ')) said.pop_back();
      return {Error::kFailed, said.empty() ? "lp failed for " + name_ : said};
    }
    return {};
  }
  const std::string& name() const override { return name_; }

 private:
  ProgramInput lp_;
  std::string name_;
  bool closed_ = false;
};

}  // namespace

rt::Result<std::unique_ptr<rt::dev::Target>> openQueue(const std::string& queue, const std::string& lp) {
  using R = rt::Result<std::unique_ptr<rt::dev::Target>>;
  if (queue.empty()) return R(Error::kBadArgument, "no printer queue named");
  const std::vector<std::string> args{"-d", queue, "-o", "raw"};
  rt::Result<ProgramInput> child = ProgramInput::start(lp, args, {"LC_ALL=C", "LANG=C"});
  if (!child) return R(child.status());
  return R(std::unique_ptr<rt::dev::Target>(std::make_unique<QueueTarget>(std::move(*child), queue)));
}

}  // namespace platform
