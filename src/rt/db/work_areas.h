// The work areas of one program: tables open by number (1-99), each known by its alias (the
// file name unless given), selected by number, by the number as text ("22") or by alias.
// One switch hides deleted records in every area, as the old runtime's global setting did.
// The program owns this object; nothing here is global.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "rt/db/table.h"

namespace rt::db {

class WorkAreas {
 public:
  static constexpr int kAreas = 99;

  WorkAreas() = default;
  ~WorkAreas();
  WorkAreas(const WorkAreas&) = delete;
  WorkAreas& operator=(const WorkAreas&) = delete;

  // Opens `path` in area n (closing what was there) and selects it. kInUse when another
  // area of ours already uses the alias.
  Status open(int area, const std::string& path, const OpenOptions& options = {});
  // Opens in the current area.
  Status open(const std::string& path, const OpenOptions& options = {}) { return open(current_, path, options); }
  // Writes what is pending in the area's table and closes it; says how the writes went.
  Status close(int area);
  Status closeAll();
  // Closes a table that has nothing left to write: one only read, or one whose writes were
  // made good before (committed, or flushed and released under their lock) or were already
  // reported as failed. Its close has nothing to tell anyone (an index page it could not
  // write leaves the index marked unfinished, rebuilt at its next open), so these return
  // nothing; where a write may still be pending, close() says how it went.
  void release(int area);
  void releaseCurrent() { release(current_); }
  void releaseAll();

  // SELECT: a number 1-99, the number as text, or an alias (any case). A number outside 1-99
  // or an unknown alias leaves the selection as it was; the alias then returns kNotFound.
  void select(int area);
  Status select(std::string_view areaOrAlias);
  int current() const { return current_; }
  // The area of an alias, 0 when none.
  int areaOf(std::string_view alias) const;

  // The table in an area (nullptr when the area is empty).
  Table* table(int area) const;
  Table* table(std::string_view areaOrAlias) const;
  Table* currentTable() const { return table(current_); }
  Table& operator*() const { return *currentTable(); }
  Table* operator->() const { return currentTable(); }
  bool isOpen(int area) const { return table(area) != nullptr; }

  void setDeletedHidden(bool hidden);
  bool deletedHidden() const { return hideDeleted_; }

 private:
  int resolve(std::string_view areaOrAlias) const;
  std::array<std::unique_ptr<Table>, kAreas + 1> areas_;
  int current_ = 1;
  bool hideDeleted_ = false;
};

}  // namespace rt::db
