#include "converter/anterior_blocos.h"

#include <string>

#include "rt/text/strings.h"

namespace converter {

using converter::Linha;
using rt::text::Decimal;

namespace {

class Caminhada {
 public:
  Caminhada(const std::vector<Linha>& f, const Blocos& b) : f_(f), b_(b), p_(b.tipo == '7' ? "I7_" : "I8_") {}

  std::vector<Linha> anda() {
    if (f_.empty()) return {};
    std::size_t i = 0;
    lembrado_ = item(0);
    while (i < f_.size()) {
      const Decimal v3 = f_[i].valor(c(3)), v4 = f_[i].valor(c(4));
      if (item(i) > lembrado_) {
        // A new item before the pending rows had values: they go as a block of their own,
        // and the walk goes on from the row the copy ended on.
        i = TRANS_BLO();
        if (i < f_.size()) lembrado_ = item(i);
        POSATUL_ = POSINC_;
        continue;
      }
      if (v3.isZero() && v4.isZero()) {
        ++i;
        continue;
      }
      POSATUL_ = i;
      if (!v3.isZero() && v4.isZero() && b_.MOST_VEND == 1) {
        ++LIN_ELI_;
        ++i;
        POSINC_ = i;
        continue;
      }
      i = TRANS_BLO();
      if (i < f_.size()) lembrado_ = item(i);
      POSATUL_ = POSINC_;
    }
    return std::move(saida_);
  }

 private:
  std::string c(int k) const { return p_ + std::to_string(k); }
  Decimal item(std::size_t i) const { return f_[i].valor(c(1)); }

  // Copies the pending rows up to POSATUL; the index of the row it ended on.
  std::size_t TRANS_BLO() {
    const bool bens = b_.tipo == '7';
    // The block's code: its first non-empty one.
    Decimal codigo;
    for (std::size_t k = POSINC_; k <= POSATUL_ && k < f_.size(); ++k)
      if (!f_[k].valor(c(5)).isZero()) {
        codigo = f_[k].valor(c(5));
        break;
      }
    std::string i77 = " ", i78 = "   ";
    std::size_t i = POSINC_;
    for (; i < f_.size() && i <= POSATUL_; ++i) {
      const Linha& r = f_[i];
      Linha n;
      n.poe(c(0), Decimal(CONTABEM_));
      CONTABEM_ += 10;
      Decimal nro = r.valor(c(1));
      if (!nro.isZero() && nro > LIN_ANT_) {
        LIN_ANT_ = nro;
        nro -= Decimal(LIN_ELI_);
      }
      n.poe(c(1), nro);
      n.poe(c(2), r.texto(c(2)));
      n.poe(c(5), r.valor(c(5)));
      Decimal v3 = r.valor(c(3)), v4 = r.valor(c(4));
      // Last year's closing value opens this year.
      if (b_.anterior) v3 = v4;
      if (bens) {
        n.poe("I7_6", r.valor("I7_6"));
        if (!rt::text::isEmptyText(r.texto("I7_7")) || !rt::text::isEmptyText(r.texto("I7_8"))) {
          i77 = r.texto("I7_7");
          i78 = r.texto("I7_8");
        }
        n.poe("I7_7", i77);
        n.poe("I7_8", i78);
        n.poe("I7_9", v3);
        if (b_.anterior && codigo > Decimal(40) && codigo < Decimal(79)) v4 = Decimal();
      } else {
        n.poe("I8_6", v3);
      }
      n.poe(c(3), v3);
      n.poe(c(4), v4);
      saida_.push_back(std::move(n));
      POSINC_ = i + 1;
    }
    return i;
  }

  const std::vector<Linha>& f_;
  const Blocos& b_;
  const std::string p_;
  std::vector<Linha> saida_;
  int CONTABEM_ = 1, LIN_ELI_ = 0;
  Decimal LIN_ANT_, lembrado_;
  std::size_t POSINC_ = 0, POSATUL_ = 0;
};

}  // namespace

std::vector<Linha> copiaBlocos(const std::vector<Linha>& fonte, const Blocos& b) { return Caminhada(fonte, b).anda(); }

void juntaContinuacoes(std::vector<Linha>& bens) {
  for (std::size_t i = 0; i + 1 < bens.size(); ++i) {
    Linha& l = bens[i];
    const Linha& prox = bens[i + 1];
    if (!l.valor("I7_3").isZero() || !l.valor("I7_4").isZero() || !prox.valor("I7_1").isZero()) continue;
    l.poe("I7_2", std::string(rt::text::trim(l.texto("I7_2"))) + std::string(rt::text::trim(prox.texto("I7_2"))));
    for (const char* campo : {"I7_3", "I7_4", "I7_9"}) l.poe(campo, prox.valor(campo));
    bens.erase(bens.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
}

}  // namespace converter
