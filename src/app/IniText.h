#pragma once

#include <map>
#include <string>
#include <string_view>

// The profile file as text: "[SECTION]" headers and "KEY=value" lines, read
// into "SECTION/KEY" -> value, and written back from that. Values stay text;
// nothing in a value is ever decoded into an object, so no content of the
// file can make reading it costly. Keys before any header, or under
// "[General]", have no "SECTION/" in front.
using IniValues = std::map<std::string, std::string>;

// Never fails: a line it cannot read is skipped. A BOM, CR LF or lone CR
// line ends, blanks around keys and values, ';' and '#' comment lines, a
// ';' comment after an unquoted value and a double-quoted value (with
// backslash escapes for a quote, a backslash, n, r, t and 0) are read the
// way hand-edited INI files expect. A header without its ']' still names
// its section; one that could not be written back ("[a=b", "[;x]") is
// skipped with its keys. The last of a repeated key counts.
IniValues ParseIniText(std::string_view text);

// LF line ends, top-level keys under [General] first, then the sections in
// name order; a value that would not read back as it is (blanks at its
// ends, a quote, a ';', a backslash, a control character) is written quoted.
std::string FormatIniText(const IniValues& values);
