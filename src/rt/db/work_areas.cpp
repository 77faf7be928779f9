#include "rt/db/work_areas.h"

#include "rt/text/strings.h"

namespace rt::db {

// Quiet, as the tables' own destructors: the program closes its areas itself first.
WorkAreas::~WorkAreas() { releaseAll(); }

Status WorkAreas::open(int area, const std::string& path, const OpenOptions& options) {
  if (area < 1 || area > kAreas) return {Error::kBadField, "work area " + std::to_string(area)};
  RT_TRY(close(area));
  auto t = Table::open(path, options);
  if (!t) return t.status();
  int other = areaOf((*t)->alias());
  if (other != 0) return {Error::kInUse, "alias " + (*t)->alias() + " in area " + std::to_string(other)};
  (*t)->setDeletedHidden(hideDeleted_);
  areas_[static_cast<std::size_t>(area)] = std::move(*t);
  current_ = area;
  return {};
}

Status WorkAreas::close(int area) {
  if (area < 1 || area > kAreas) return {Error::kBadField, "work area " + std::to_string(area)};
  auto& slot = areas_[static_cast<std::size_t>(area)];
  if (!slot) return {};
  Status s = slot->close();
  slot.reset();
  return s;
}

Status WorkAreas::closeAll() {
  Status first;
  for (int a = 1; a <= kAreas; ++a) {
    Status s = close(a);
    if (first && !s) first = s;
  }
  return first;
}

void WorkAreas::release(int area) {
  // Nothing is left to write (see the header): a failure here has nothing to report.
  (void)close(area);
}

void WorkAreas::releaseAll() {
  for (int a = 1; a <= kAreas; ++a) release(a);
}

void WorkAreas::select(int area) {
  if (area >= 1 && area <= kAreas) current_ = area;
}

int WorkAreas::resolve(std::string_view areaOrAlias) const {
  std::string_view t = rt::text::alltrim(areaOrAlias);
  if (!t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos && t.size() <= 3) {
    int n = std::stoi(std::string(t));
    return n >= 1 && n <= kAreas ? n : 0;
  }
  return areaOf(t);
}

Status WorkAreas::select(std::string_view areaOrAlias) {
  int a = resolve(areaOrAlias);
  if (a == 0) return {Error::kNotFound, "alias " + std::string(areaOrAlias)};
  current_ = a;
  return {};
}

int WorkAreas::areaOf(std::string_view alias) const {
  std::string want = rt::text::upper(rt::text::alltrim(alias));
  for (int a = 1; a <= kAreas; ++a)
    if (areas_[static_cast<std::size_t>(a)] && areas_[static_cast<std::size_t>(a)]->alias() == want) return a;
  return 0;
}

Table* WorkAreas::table(int area) const {
  if (area < 1 || area > kAreas) return nullptr;
  return areas_[static_cast<std::size_t>(area)].get();
}

Table* WorkAreas::table(std::string_view areaOrAlias) const { return table(resolve(areaOrAlias)); }

void WorkAreas::setDeletedHidden(bool hidden) {
  hideDeleted_ = hidden;
  for (auto& t : areas_)
    if (t) t->setDeletedHidden(hidden);
}

}  // namespace rt::db
