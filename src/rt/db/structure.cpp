#include "rt/db/structure.h"

#include <cstring>

#include "rt/db/bytes.h"
#include "rt/text/strings.h"

namespace rt::db {

using rt::text::Date;
using rt::text::Decimal;

char valueType(const Value& v) {
  switch (v.index()) {
    case 0: return 'C';
    case 1: return 'N';
    case 2: return 'D';
    default: return 'L';
  }
}

Status normaliseFields(std::vector<FieldDef>& fields) {
  if (fields.empty()) return {Error::kBadField, "a table needs at least one field"};
  if (fields.size() > 2046) return {Error::kBadField, "too many fields"};
  int offset = 1;
  for (auto& f : fields) {
    f.name = rt::text::upper(rt::text::alltrim(f.name));
    f.type = rt::text::upperChar(f.type);
    if (f.name.empty() || f.name.size() > kFieldNameMax) return {Error::kBadField, "field name '" + f.name + "'"};
    switch (f.type) {
      case 'C':
        if (f.width < 1 || f.width > kMaxCharWidth) return {Error::kBadField, f.name + " width"};
        f.decimals = 0;
        break;
      case 'N':
        if (f.width < 1 || f.width > 20 || f.decimals < 0 || f.decimals > 8 ||
            (f.decimals > 0 && f.decimals > f.width - 2))
          return {Error::kBadField, f.name + " width or decimals"};
        break;
      case 'D': f.width = 8; f.decimals = 0; break;
      case 'L': f.width = 1; f.decimals = 0; break;
      case 'M': f.width = 10; f.decimals = 0; break;  // kMemoFieldWidth
      default: return {Error::kBadField, f.name + " type"};
    }
    f.offset = offset;
    offset += f.width;
  }
  for (std::size_t i = 0; i < fields.size(); ++i)
    for (std::size_t j = i + 1; j < fields.size(); ++j)
      if (fields[i].name == fields[j].name) return {Error::kBadField, "field " + fields[i].name + " twice"};
  if (offset > 65535) return {Error::kBadField, "record longer than 65535 bytes"};
  return {};
}

namespace {

void put16(std::string& s, std::size_t at, std::uint32_t v) { bytes::putLe(s, at, v, 2); }
void put32(std::string& s, std::size_t at, std::uint32_t v) { bytes::putLe(s, at, v, 4); }
using bytes::le16;
using bytes::le32;

// The widths a field of each type can have in a file we read: the codecs write exactly these
// many bytes, so a header claiming another width would have a write spill into the next field
// or shorten the record. Types we do not know are kept as raw text of any width.
Status checkWidth(const FieldDef& f) {
  auto refuse = [&] { return Status(Error::kCorrupt, "field " + f.name + " of type " + f.type + " and width " + std::to_string(f.width)); };
  if (f.width < 1) return refuse();
  switch (f.type) {
    case 'D': return f.width == 8 ? Status() : refuse();
    case 'L': return f.width == 1 ? Status() : refuse();
    case 'M': return f.width == 10 || f.width == 4 ? Status() : refuse();
    case 'N':
    case 'F': return f.width <= 20 ? Status() : refuse();
    default: return {};
  }
}

}  // namespace

std::string encodeHeaderPrefix(const DbfHeader& h) {
  std::string s(12, '\0');
  s[0] = static_cast<char>(h.version);
  s[1] = static_cast<char>(h.year >= 1900 ? h.year - 1900 : h.year % 100);
  s[2] = static_cast<char>(h.month);
  s[3] = static_cast<char>(h.day);
  put32(s, 4, h.recordCount);
  put16(s, 8, h.headerLength);
  put16(s, 10, h.recordLength);
  return s;
}

std::string encodeHeader(const DbfHeader& h) {
  std::string s(32 + 32 * h.fields.size() + 1, '\0');
  s.replace(0, 12, encodeHeaderPrefix(h));
  for (std::size_t i = 0; i < h.fields.size(); ++i) {
    const FieldDef& f = h.fields[i];
    std::size_t at = 32 + 32 * i;
    std::memcpy(&s[at], f.name.data(), std::min(f.name.size(), kFieldNameMax));
    s[at + 11] = f.type;
    if (f.type == 'C') {  // widths over 255 keep the high byte in the decimals byte
      s[at + 16] = static_cast<char>(f.width & 0xFF);
      s[at + 17] = static_cast<char>(f.width >> 8);
    } else {
      s[at + 16] = static_cast<char>(f.width);
      s[at + 17] = static_cast<char>(f.decimals);
    }
  }
  s.back() = '\x0D';
  return s;
}

Result<DbfHeader> decodeHeader(std::string_view bytes) {
  if (bytes.size() < 32) return Status(Error::kCorrupt, "header shorter than 32 bytes");
  DbfHeader h;
  h.version = static_cast<std::uint8_t>(bytes[0]);
  h.year = 1900 + static_cast<std::uint8_t>(bytes[1]);
  h.month = static_cast<std::uint8_t>(bytes[2]);
  h.day = static_cast<std::uint8_t>(bytes[3]);
  h.recordCount = le32(bytes, 4);
  h.headerLength = le16(bytes, 8);
  h.recordLength = le16(bytes, 10);
  if (h.headerLength < 33 || h.headerLength > bytes.size())
    return Status(Error::kCorrupt, "header length " + std::to_string(h.headerLength));
  if (h.recordLength < 1) return Status(Error::kCorrupt, "record length 0");
  int offset = 1;
  for (std::size_t at = 32; at + 32 <= h.headerLength && bytes[at] != '\x0D'; at += 32) {
    FieldDef f;
    std::string_view raw = bytes.substr(at, 11);
    f.name = std::string(raw.substr(0, std::min(raw.find('\0'), kFieldNameMax)));
    f.name = rt::text::upper(rt::text::trim(f.name));
    f.type = rt::text::upperChar(bytes[at + 11]);
    int len = static_cast<std::uint8_t>(bytes[at + 16]);
    int dec = static_cast<std::uint8_t>(bytes[at + 17]);
    if (f.type == 'C') {
      f.width = len + 256 * dec;
    } else {
      f.width = len;
      f.decimals = dec;
    }
    if (Status w = checkWidth(f); !w) return w;
    f.offset = offset;
    offset += f.width;
    h.fields.push_back(std::move(f));
  }
  if (h.fields.empty()) return Status(Error::kCorrupt, "no fields");
  if (static_cast<std::uint32_t>(offset) > h.recordLength)
    return Status(Error::kCorrupt, "fields longer than the record length");
  return h;
}

Decimal readNumber(std::string_view raw) { return Decimal::val(raw); }

Result<std::string> formatNumber(Decimal n, const FieldDef& f) {
  std::string text = n.toString(f.decimals);
  if (text.size() > static_cast<std::size_t>(f.width))
    return Status(Error::kOverflow, f.name);
  return std::string(f.width - text.size(), ' ') + text;
}

Date readDate(std::string_view raw) { return rt::text::stod(raw); }

bool readLogical(std::string_view raw) {
  if (raw.empty()) return false;
  char c = raw[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

Value readField(const FieldDef& f, std::string_view raw) {
  switch (f.type) {
    case 'N':
    case 'F': return readNumber(raw);
    case 'D': return readDate(raw);
    case 'L': return readLogical(raw);
    default: return std::string(raw);
  }
}

Value blankValue(const FieldDef& f) {
  switch (f.type) {
    case 'N':
    case 'F': return Decimal();
    case 'D': return Date();
    case 'L': return false;
    default: return std::string(static_cast<std::size_t>(f.width), ' ');
  }
}

Result<std::string> formatField(const FieldDef& f, const Value& v) {
  auto mismatch = [&] { return Status(Error::kBadField, f.name + " given a value of type " + valueType(v)); };
  switch (f.type) {
    case 'N':
    case 'F':
      if (auto* n = std::get_if<Decimal>(&v)) return formatNumber(*n, f);
      return mismatch();
    case 'D':
      if (auto* d = std::get_if<Date>(&v)) return rt::text::dtos(*d);
      return mismatch();
    case 'L':
      if (auto* b = std::get_if<bool>(&v)) return std::string(1, *b ? 'T' : 'F');
      return mismatch();
    default:
      if (auto* s = std::get_if<std::string>(&v)) return rt::text::padr(*s, f.width);
      return mismatch();
  }
}

}  // namespace rt::db
