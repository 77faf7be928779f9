#include "rt/db/transfer.h"

#include <string_view>
#include <vector>

#include "rt/text/strings.h"

namespace rt::db {

namespace {

struct FieldPair {
  int from, to;
};

std::vector<FieldPair> matchFields(const Table& source, const Table& target) {
  std::vector<FieldPair> pairs;
  for (int i = 0; i < target.fieldCount(); ++i) {
    const FieldDef& t = target.fields()[static_cast<std::size_t>(i)];
    int s = source.fieldIndex(t.name);
    if (s < 0) continue;
    char st = source.fields()[static_cast<std::size_t>(s)].type;
    bool textual = (st == 'C' || st == 'M') && (t.type == 'C' || t.type == 'M');
    if (st == t.type || textual) pairs.push_back({s, i});
  }
  return pairs;
}

Status copyRecords(Table& target, Table& source, const RecordFilter& forCondition) {
  auto pairs = matchFields(source, target);
  source.goTop();
  RT_TRY(source.status());
  while (!source.eof()) {
    if (!forCondition || forCondition(source)) {
      RT_TRY(target.appendBlank());
      for (auto p : pairs) {
        const FieldDef& t = target.fields()[static_cast<std::size_t>(p.to)];
        Value v = source.get(p.from);
        if (auto* s = std::get_if<std::string>(&v); s && t.type == 'C') *s = rt::text::padr(*s, t.width);
        Status st = target.put(p.to, v);
        if (!st) return st;
      }
    }
    source.skip(1);
    RT_TRY(source.status());
  }
  return target.flush();
}

}  // namespace

Status appendFrom(Table& target, Table& source, const RecordFilter& forCondition) {
  return copyRecords(target, source, forCondition);
}

Status appendFrom(Table& target, const std::string& sourcePath, const RecordFilter& forCondition, bool hideDeleted) {
  OpenOptions o;
  o.readOnly = true;
  o.alias = "APPEND_SOURCE";
  auto src = Table::open(sourcePath, o);
  if (!src) return src.status();
  (*src)->setDeletedHidden(hideDeleted);
  return copyRecords(target, **src, forCondition);
}

Status copyTo(Table& source, const std::string& path, const RecordFilter& forCondition) {
  std::vector<FieldDef> fields(source.fields().begin(), source.fields().end());
  RT_TRY(Table::create(path, fields, CreateMode::kReplace));
  OpenOptions o;
  o.exclusive = true;
  o.alias = "COPY_TARGET";
  auto dst = Table::open(path, o);
  if (!dst) return dst.status();
  RT_TRY(copyRecords(**dst, source, forCondition));
  RT_TRY((*dst)->commit());
  return (*dst)->close();
}

namespace {

// A character value in double quotes; a quote inside it is doubled, so the line still parses.
void appendQuoted(std::string& out, std::string_view v) {
  out += '"';
  for (std::size_t q; (q = v.find('"')) != std::string_view::npos; v.remove_prefix(q + 1)) {
    out.append(v.data(), q + 1);
    out += '"';
  }
  out.append(v);
  out += '"';
}

struct DelimitedField {
  int index;
  char type;
  int decimals;
};

}  // namespace

Status copyToDelimited(Table& source, const std::string& path, const RecordFilter& forCondition) {
  std::vector<DelimitedField> fields;
  for (int i = 0; i < source.fieldCount(); ++i) {
    const FieldDef& f = source.fields()[static_cast<std::size_t>(i)];
    if (f.type != 'M') fields.push_back({i, f.type, f.decimals});
  }
  // Written beside the old file and renamed over it: a failed export leaves the old file whole,
  // and a link planted under the file's name is replaced, never written through. The text goes
  // out in blocks as it is made, so a large table never sits whole in memory.
  auto scratch = ScratchFile::beside(path);
  if (!scratch) return scratch.status();
  constexpr std::size_t kBlock = 1 << 20;
  std::string out;
  out.reserve(kBlock + 4096);
  std::uint64_t written = 0;
  const auto writeOut = [&]() -> Status {
    RT_TRY(scratch->file().writeAt(written, out));
    written += out.size();
    out.clear();
    return {};
  };
  source.goTop();
  RT_TRY(source.status());
  while (!source.eof()) {
    if (!forCondition || forCondition(source)) {
      bool first = true;
      for (const DelimitedField& f : fields) {
        if (!first) out += ',';
        first = false;
        const std::string_view raw = source.raw(f.index);
        switch (f.type) {
          case 'C': appendQuoted(out, rt::text::trim(raw)); break;
          case 'N':
          case 'F': out += readNumber(raw).toString(f.decimals); break;
          case 'L': out += readLogical(raw) ? 'T' : 'F'; break;
          default: out.append(rt::text::alltrim(raw)); break;  // dates (YYYYMMDD) and the rest
        }
      }
      out += "\r\n";
      if (out.size() >= kBlock) RT_TRY(writeOut());
    }
    source.skip(1);
    RT_TRY(source.status());
  }
  if (!out.empty()) RT_TRY(writeOut());
  RT_TRY(scratch->file().sync());
  return scratch->renameOver(path);
}

namespace {

// Splits one delimited line; quoted values keep their commas.
std::vector<std::string> splitLine(std::string_view line) {
  std::vector<std::string> values;
  std::size_t i = 0;
  while (i <= line.size()) {
    std::string v;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i < line.size() && line[i] == '"') {
      // A doubled quote inside the value stands for one quote.
      std::size_t end = i + 1;
      for (; end < line.size(); ++end) {
        if (line[end] != '"') {
          v += line[end];
        } else if (end + 1 < line.size() && line[end + 1] == '"') {
          v += '"';
          ++end;
        } else {
          break;
        }
      }
      i = end + 1;
      auto comma = line.find(',', i);
      i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
    } else {
      auto comma = line.find(',', i);
      std::size_t end = comma == std::string_view::npos ? line.size() : comma;
      v = std::string(rt::text::trim(line.substr(i, end - i)));
      i = end + 1;
    }
    values.push_back(std::move(v));
  }
  return values;
}

}  // namespace

Status appendFromDelimited(Table& target, const std::string& path) {
  auto f = File::open(resolveCaseInsensitive(path), File::Mode::kRead);
  if (!f) return f.status();
  auto size = f->size();
  if (!size) return size.status();
  std::string text(*size, '\0');
  RT_TRY(f->readExact(0, text));
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line == "\x1A") continue;
    auto values = splitLine(line);
    RT_TRY(target.appendBlank());
    std::size_t v = 0;
    for (int i = 0; i < target.fieldCount() && v < values.size(); ++i) {
      const FieldDef& fd = target.fields()[static_cast<std::size_t>(i)];
      if (fd.type == 'M') continue;
      const std::string& s = values[v++];
      Value val;
      switch (fd.type) {
        case 'N':
        case 'F': val = rt::text::val(s); break;
        case 'D': val = rt::text::stod(s); break;
        case 'L': val = readLogical(s); break;
        default: val = s; break;
      }
      RT_TRY(target.put(i, val));
    }
  }
  return target.flush();
}

}  // namespace rt::db
