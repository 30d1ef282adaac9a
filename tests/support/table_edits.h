// The table source as people edit it by hand: other number forms, other
// directives, several values on a line, other line ends. Each edit keeps the
// table's bytes, so the reader must read every one back to them, and so must
// the assembler.
#pragma once

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "model/numbers.h"
#include "storage/cp1251.h"

namespace ign::test {

struct TableEdit {
    const char* label;
    // The lines as the writer makes them (UTF-8, no line ends) to the bytes
    // of the edited file.
    std::function<std::string(std::vector<std::string>)> apply;
};

inline constexpr const char* kDataPrefix = "     DATA     ";

inline bool isDataLine(const std::string& line)
{
    return line.rfind(kDataPrefix, 0) == 0;
}

// The value of a DATA line and what follows it (the comment).
inline int dataValue(const std::string& line)
{
    const std::string token = line.substr(14, line.find(' ', 14) - 14);
    return token[0] == '.' ? std::stoi(token.substr(1)) : std::stoi(token.substr(2), nullptr, 16);
}
inline std::string dataComment(const std::string& line)
{
    return line.substr(line.find(' ', 14));
}

inline std::string joined(const std::vector<std::string>& lines, const char* end = "\r\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return utf8ToCp1251(text);
}

// Every DATA line with its value written by `form`, the directive by `directive`.
inline std::vector<std::string> rewritten(std::vector<std::string> lines,
                                          const std::function<std::string(int, int)>& form,
                                          const std::string& directive = "DATA")
{
    int n = 0;
    for (std::string& line : lines)
        if (isDataLine(line)) {
            line = "     " + directive + "     " + form(dataValue(line), n) + dataComment(line);
            ++n;
        }
    return lines;
}

inline std::string binary(int v)
{
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
        bits += (v >> bit & 1) != 0 ? '1' : '0';
    return bits;
}

inline std::vector<TableEdit> tableSourceEdits()
{
    const auto hex = [](int v) { return hexUpper(static_cast<std::uint32_t>(v)); };
    const auto decimal = [](int v) { return std::to_string(v); };
    return {
        {"as written", [](std::vector<std::string> lines) { return joined(lines); }},
        {"lower case",
         [](std::vector<std::string> lines) {
             // The constants' names keep their case: the firmware uses them.
             for (std::string& line : lines)
                 if (line.find("EQU") == std::string::npos)
                     for (char& c : line)
                         c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
             return joined(lines);
         }},
        {"DE with 0x",
         [=](std::vector<std::string> lines) {
             return joined(rewritten(
                 lines, [&](int v, int) { return "0x" + hex(v); }, "DE"));
         }},
        {"DW with H'..' and ..h",
         [=](std::vector<std::string> lines) {
             return joined(rewritten(
                 lines,
                 [&](int v, int n) {
                     return n % 2 == 0 ? "H'" + hex(v) + "'" : "0" + hex(v) + "h";
                 },
                 "dw"));
         }},
        {"D'..' and B'..'",
         [=](std::vector<std::string> lines) {
             return joined(rewritten(lines, [&](int v, int n) {
                 return n % 2 == 0 ? "D'" + decimal(v) + "'" : "b'" + binary(v) + "'";
             }));
         }},
        {"an entry to a line, the limits on one",
         [](std::vector<std::string> lines) {
             std::vector<std::string> out;
             std::vector<std::string> limits;
             for (std::size_t i = 0; i < lines.size(); ++i) {
                 if (!isDataLine(lines[i])) {
                     out.push_back(lines[i]);
                 } else if (lines[i].find("Tm") != std::string::npos) {
                     limits.push_back(std::to_string(dataValue(lines[i])));
                     if (limits.size() == 4)
                         out.push_back("  DATA  ." + limits[0] + ",." + limits[1] + " , ." +
                                       limits[2] + ",\t." + limits[3] + " ; limits");
                 } else {
                     out.push_back("  DATA  ." + std::to_string(dataValue(lines[i])) + ", ." +
                                   std::to_string(dataValue(lines[i + 1])));
                     ++i;
                 }
             }
             return joined(out);
         }},
        {"LF, tabs, blank lines and comments",
         [](std::vector<std::string> lines) {
             std::vector<std::string> out;
             for (const std::string& line : lines) {
                 if (isDataLine(line)) {
                     out.push_back("\tDATA\t." + std::to_string(dataValue(line)) + "\t;" +
                                   dataComment(line));
                     out.push_back("");
                     out.push_back("; ; ; DATA .999 'ignored' \"too\"");
                 } else {
                     out.push_back(line);
                 }
             }
             return joined(out, "\n");
         }},
        {"labels",
         [](std::vector<std::string> lines) {
             bool first = true;
             for (std::string& line : lines)
                 if (isDataLine(line) && first) {
                     line = "table" + line.substr(4);
                     first = false;
                 } else if (isDataLine(line) && line.find("Tmaxh") != std::string::npos) {
                     line = "limits: DATA " + line.substr(14);
                 }
             return joined(lines);
         }},
        {"radix set in the file",
         [=](std::vector<std::string> lines) {
             lines = rewritten(lines, [&](int v, int) { return decimal(v); });
             lines.insert(lines.begin() + 1, "        radix   dec");
             return joined(lines);
         }},
        {"radix set by LIST",
         [=](std::vector<std::string> lines) {
             lines = rewritten(lines, [&](int v, int) { return decimal(v); });
             lines.insert(lines.begin(), "        LIST    r=DEC, n=0");
             return joined(lines);
         }},
        {"byte order mark, ORG as H'..'",
         [](std::vector<std::string> lines) {
             lines[0] = "\tORG\tH'2100'";
             return "\xEF\xBB\xBF" + joined(lines);
         }},
    };
}

}  // namespace ign::test
