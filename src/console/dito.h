// What a step that says its own failure gives back: it went through, or it failed and the
// user has been told. Kept apart from a bool or a Status, whose failure the caller must still
// say, so the two cannot be taken for each other.
#pragma once

namespace console {

// A caller tests it to stop what depended on the step, or passes it up; it never says the
// failure again. It is not [[nodiscard]]: where nothing else depends on the step (a setting
// written on the way out, a row marked after the work it records), letting it go loses
// nothing, since the user already knows.
class Dito {
 public:
  static Dito feito() { return Dito(true); }
  static Dito falhou() { return Dito(false); }  // the caller has just said why
  explicit operator bool() const { return feito_; }

 private:
  explicit Dito(bool feito) : feito_(feito) {}
  bool feito_;
};

}  // namespace console
