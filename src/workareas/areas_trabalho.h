// The terminal's work areas as the system sees them: tables open in areas named by the
// catalogue. The engine numbers its areas (rt::db::WorkAreas); this owner of the engine's areas
// takes only `Area`, so no caller can open, select or close a table by a number it made up,
// and a typo does not compile. The program state holds one for the whole run.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "rt/db/work_areas.h"
#include "workareas/areas.h"

namespace workareas {

class AreasTrabalho {
 public:
  AreasTrabalho() = default;
  AreasTrabalho(const AreasTrabalho&) = delete;
  AreasTrabalho& operator=(const AreasTrabalho&) = delete;

  // Opens `path` in area `a` (closing what was there) and selects it; kInUse when another area
  // already uses the alias.
  rt::Status open(Area a, const std::string& path, const rt::db::OpenOptions& options = {}) {
    return motor_.open(numero(a), path, options);
  }
  // Opens in the selected area.
  rt::Status open(const std::string& path, const rt::db::OpenOptions& options = {}) {
    return motor_.open(path, options);
  }
  // Writes what is pending in the area's table and closes it; says how the writes went.
  rt::Status close(Area a) { return motor_.close(numero(a)); }
  rt::Status closeAll() { return motor_.closeAll(); }
  // Closes a table with nothing left to write (rt::db::WorkAreas::release).
  void release(Area a) { motor_.release(numero(a)); }
  void releaseCurrent() { motor_.releaseCurrent(); }
  void releaseAll() { motor_.releaseAll(); }

  // Nenhuma changes nothing.
  void select(Area a) { motor_.select(numero(a)); }
  // By alias (any case) or the area's number as text, as the old runtime's SELECT took it from
  // a stored expression; an unknown alias returns kNotFound and leaves the selection.
  rt::Status select(std::string_view aliasOuNumero) { return motor_.select(aliasOuNumero); }
  Area current() const { return static_cast<Area>(motor_.current()); }
  // The area holding an alias, Nenhuma when none.
  Area areaOf(std::string_view alias) const { return static_cast<Area>(motor_.areaOf(alias)); }

  // The table in an area (nullptr when the area is empty).
  rt::db::Table* table(Area a) const { return motor_.table(numero(a)); }
  rt::db::Table* table(std::string_view aliasOuNumero) const { return motor_.table(aliasOuNumero); }
  rt::db::Table* currentTable() const { return motor_.currentTable(); }
  rt::db::Table& operator*() const { return *motor_.currentTable(); }
  rt::db::Table* operator->() const { return motor_.currentTable(); }
  bool isOpen(Area a) const { return motor_.isOpen(numero(a)); }
  // Every open table, in the order of its area.
  std::vector<rt::db::Table*> abertas() const {
    std::vector<rt::db::Table*> v;
    for (int n = 1; n <= rt::db::WorkAreas::kAreas; ++n)
      if (rt::db::Table* t = motor_.table(n)) v.push_back(t);
    return v;
  }

  void setDeletedHidden(bool hidden) { motor_.setDeletedHidden(hidden); }
  bool deletedHidden() const { return motor_.deletedHidden(); }

  // Whether a range is lent now, wholly or in part.
  bool emprestada(Faixa f) const {
    for (const Faixa& e : emprestadas_)
      if (e.encontra(f)) return true;
    return false;
  }


 private:
  friend class Emprestimo;
  rt::db::WorkAreas motor_;
  std::vector<Faixa> emprestadas_;
};

// A range of areas lent to one task for as long as this lives: the task's k-th table goes in
// area(k), no other lease may take any of its areas meanwhile (two would close each other's
// tables), and whatever the task leaves open there is let go at the end. The tables of a
// range are another folder's or program's, only read, so letting them go has nothing to say;
// a task that writes one closes it itself first.
class Emprestimo {
 public:
  // A range already lent, even in part, is a fault of the program.
  Emprestimo(AreasTrabalho& areas, Faixa f) : areas_(areas), faixa_(f) {
    if (areas_.emprestada(f))
      throw std::logic_error("work areas " + std::to_string(f.primeira) + "-" + std::to_string(f.ultima) +
                             " lent twice");
    areas_.emprestadas_.push_back(f);
  }
  ~Emprestimo() {
    soltaTodas();
    std::erase_if(areas_.emprestadas_, [this](const Faixa& e) {
      return e.primeira == faixa_.primeira && e.ultima == faixa_.ultima;
    });
  }
  Emprestimo(const Emprestimo&) = delete;
  Emprestimo& operator=(const Emprestimo&) = delete;

  // The k-th area of the range (k from 1); outside it, a fault of the program.
  Area area(int k) const {
    if (k < 1 || k > faixa_.tamanho())
      throw std::logic_error("area " + std::to_string(k) + " of a lent range of " + std::to_string(faixa_.tamanho()));
    return faixa_.area(k);
  }
  // Lets go every table of the range now; the range stays lent.
  void soltaTodas() {
    for (int k = 1; k <= faixa_.tamanho(); ++k) areas_.release(faixa_.area(k));
  }

 private:
  AreasTrabalho& areas_;
  Faixa faixa_;
};

// The same, said as the store's callers have long said them.
inline rt::db::Table* tabela(const AreasTrabalho& areas, Area a) { return areas.table(a); }
inline bool aberta(const AreasTrabalho& areas, Area a) { return areas.isOpen(a); }
inline void seleciona(AreasTrabalho& areas, Area a) { areas.select(a); }
inline rt::Status fecha(AreasTrabalho& areas, Area a) { return areas.close(a); }
inline void solta(AreasTrabalho& areas, Area a) { areas.release(a); }

}  // namespace workareas
