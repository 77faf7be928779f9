// The runtime's string functions on CP860 byte strings. Positions are 1-based where the old
// runtime's were (AT, RAT, SUBSTR, STRTRAN), so code keeps reading as it did.
#pragma once

#include <string>
#include <string_view>

#include "rt/text/decimal.h"

namespace rt::text {

std::string padr(std::string_view s, int width, char fill = ' ');  // PADR: cut or pad right
std::string padl(std::string_view s, int width, char fill = ' ');  // PADL: cut left part kept
std::string padc(std::string_view s, int width, char fill = ' ');  // PADC: centred
std::string space(int n);
std::string replicate(std::string_view s, int times);

std::string_view trim(std::string_view s);     // TRIM / RTRIM: trailing blanks
std::string_view ltrim(std::string_view s);    // leading blanks
std::string_view alltrim(std::string_view s);  // both
bool isEmptyText(std::string_view s);          // EMPTY on text: only blanks, tabs, CR, LF

// ASCII letters only. The same function builds UPPER() index keys and the keys they are
// sought with, so the two can never disagree about an accented byte.
std::string upper(std::string_view s);
std::string lower(std::string_view s);
char upperChar(char c);

// AT / RAT: 1-based position of needle in haystack, 0 when absent or needle empty.
int at(std::string_view needle, std::string_view haystack);
int rat(std::string_view needle, std::string_view haystack);
// SUBSTR: start is 1-based; a negative start counts from the end; len < 0 means to the end.
std::string substr(std::string_view s, int start, int len = -1);
std::string left(std::string_view s, int n);
std::string right(std::string_view s, int n);
// STRTRAN: replaces occurrences from the start-th (1-based), at most count of them
// (count < 0: all).
std::string strtran(std::string_view s, std::string_view search, std::string_view replace = {},
                    int start = 1, int count = -1);
// STUFF: deletes `del` characters at 1-based start and inserts `insert` there.
std::string stuff(std::string_view s, int start, int del, std::string_view insert);

// STR(n, width, decimals): right-aligned in width, rounded half away from zero at decimals;
// a value that does not fit shows `width` asterisks, as the runtime did.
std::string str(Decimal n, int width = 10, int decimals = 0);
// STRZERO: as STR with leading zeros; a negative number keeps its sign first ("-0012").
std::string strzero(Decimal n, int width = 10, int decimals = 0);
// A number of a table, a month or a terminal in two places: a leading zero below 10 ("07"),
// the number as it is from 10 on.
inline std::string doisDigitos(long long n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }
// VAL: see Decimal::val.
inline Decimal val(std::string_view s) { return Decimal::val(s); }

}  // namespace rt::text
