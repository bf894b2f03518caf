// Small Op_Codes files, ROMs and settings for the 8-bit Code dump tests.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/DumpDriver.h"
#include "shell/Reports.h"
#include "shell/Settings.h"

namespace morvane::test {

// A toy processor: every opcode not listed is bad, so data stands out.
// A ROM image from byte values.
inline std::string Rom(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

inline std::string MiniOpcodes(const std::string& extraLines = "") {
  std::string t =
      "A\tImp\t\t\r\n"
      "A\tImm\t#$uu\tconstant\r\n"
      "A\tZp\t$uu\tvbl read\r\n"
      "A\tZpW\t$uu\tvbl write\r\n"
      "A\tAbs\t$wwuu\tvbl\r\n"
      "A\tAbsW\t$wwuu\tvbl write\r\n"
      "A\tAbsX\t$wwuu,x\ttbl read\r\n"
      "A\tAbsXW\t$wwuu,x\ttbl write lcase\r\n"
      "A\tRel\t$rrrr\tlbl read space\r\n"
      "A\tJmp\t$wwuu\tlbl end pond\r\n"
      "A\tJsr\t$wwuu\tlbl\r\n"
      "A\tRet\t\tend pond\r\n"
      "A\tBad\t\tbad address\r\n"
      "A\tPtr\t($uu),y\tvbl read\r\n";
  const std::map<int, std::string> ops = {
      {0x20, "Jsr\tjsr\t;call wwuu"},
      {0x4C, "Jmp\tjmp\t;jump wwuu"},
      {0x60, "Ret\trts\t;return"},
      {0xA9, "Imm\tlda\t;A = uu"},
      {0xA5, "Zp\tlda\t;A = uu"},
      {0x85, "ZpW\tsta\t;uu = A"},
      {0xAD, "Abs\tinc\t;wwuu += 1"},
      {0x8D, "AbsW\tsta\t;wwuu = A"},
      {0xBD, "AbsX\tlda\t;A = wwuu,X"},
      {0x9D, "AbsXW\tsta\t;wwuu,X = A"},
      {0xD0, "Rel\tbne\t;to rrrr"},
      {0xEA, "Imp\tnop\t"},
      {0xB1, "Ptr\tlda\t;A = ([uu+1]:uu),Y"},
      {0xEE, "Abs\tinc\t;[wwuu+1]"},
  };
  for (int b = 0; b < 256; ++b) {
    const auto it = ops.find(b);
    t += "O\t" + (it != ops.end() ? it->second : std::string("Bad\t???\t;bad")) + "\r\n";
  }
  return t + extraLines;
}

inline Settings CodeSettings(int start, int end, bool withTables, bool raw = true) {
  Settings s;
  s.mode = kCode;
  s.header = false;
  s.base = 0x8000;
  s.start = start;
  s.end = end;
  s.withTables = withTables;
  s.raw = raw;
  return s;
}

// Everything after the thirteen header lines of a listing.
inline std::string Body(const std::string& listing) {
  std::size_t pos = 0;
  for (int i = 0; i < 13 && pos != std::string::npos; ++i) pos = listing.find("\r\n", pos) + 2;
  return listing.substr(pos);
}

// The seven reference listings when none has rows.
inline std::string EmptyListings() {
  std::string t;
  for (const char* h : {";External Code References", ";External Read Table References",
                        ";External Write Table References", ";External Read Variable References",
                        ";External Write Variable References", ";Internal Read Variable References",
                        ";Internal Write Variable References"}) {
    t += std::string(h) + "\r\n;\r\n;--------------------\r\n";
  }
  return t;
}

// Runs a code dump of rom (CPU 8000 at offset 0) and returns its listing.
struct CodeRun {
  TempDir dir;
  ScriptedHost host;
  JobResult result;

  std::string run(const std::string& rom, const Settings& s, const std::string& opcodes,
                  const std::string* tables = nullptr, const std::string* tbl = nullptr) {
    host.answer(Dialog::OpenNES, dir.write("game.bin", rom));
    host.answer(Dialog::OpenTXT, dir.write("ops.txt", opcodes));
    if (tables != nullptr) host.answer(Dialog::OpenTableTXT, dir.write("list.txt", *tables));
    if (tbl != nullptr) host.answer(Dialog::OpenTBL, dir.write("chars.tbl", *tbl));
    result = PlainDumpJob(s, host);
    // A dump that stopped keeps its partial listing beside the name.
    return result.written.empty() ? std::string() : Slurp(result.written.front());
  }
  std::string tablesTxt() const { return Slurp(dir.file("Tables.txt")); }
};

}  // namespace morvane::test
