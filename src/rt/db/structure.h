// Field descriptions, field values and the DBF header: the part of the file layout that does
// not depend on an open table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rt/base/result.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/text/value.h"

namespace rt::db {

struct FieldDef {
  std::string name;  // upper case, at most 10 characters
  char type = 'C';   // C, N, D, L, M; others are kept as raw bytes
  int width = 1;
  int decimals = 0;
  int offset = 0;  // position in the record, after the deletion flag (filled by the engine)
};

// The value of a field or of an expression: C and M give text, N a Decimal, D a Date, L bool.
using rt::text::Value;

char valueType(const Value& v);  // 'C', 'N', 'D' or 'L'

// Header facts of a DBF file.
struct DbfHeader {
  std::uint8_t version = 0x03;
  int year = 0, month = 0, day = 0;  // last update
  std::uint32_t recordCount = 0;
  std::uint32_t headerLength = 0;
  std::uint32_t recordLength = 0;
  std::vector<FieldDef> fields;
};

constexpr std::size_t kFieldNameMax = 10;
constexpr int kMaxCharWidth = 65535;

// Checks a structure given to create: names, types, widths and decimals; fills offsets and
// upper-cases names.
Status normaliseFields(std::vector<FieldDef>& fields);
// The bytes of a header for `fields` (header length 32 + 32 x fields + 1).
std::string encodeHeader(const DbfHeader& h);
// Record count and date only: the first 12 bytes rewritten by every append.
std::string encodeHeaderPrefix(const DbfHeader& h);
// Reads and checks a header: the bytes given must hold all the header says it has.
Result<DbfHeader> decodeHeader(std::string_view bytes);

// Field codecs. Reading never fails: what cannot be read is blank, 0 or false, as the old
// runtime read it. Writing a number that does not fit is refused (kOverflow naming the field).
rt::text::Decimal readNumber(std::string_view raw);
Result<std::string> formatNumber(rt::text::Decimal n, const FieldDef& f);
rt::text::Date readDate(std::string_view raw);
bool readLogical(std::string_view raw);
Value readField(const FieldDef& f, std::string_view raw);
// Encodes `v` into exactly f.width bytes; text is cut or blank-padded.
Result<std::string> formatField(const FieldDef& f, const Value& v);
// The blank value of a field's type.
Value blankValue(const FieldDef& f);

}  // namespace rt::db
