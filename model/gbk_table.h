// The two-byte codes of GBK as the circuit files have always been read and
// written (code page 936, as glibc's converter has it), generated once by
// tools/gen_gbk_table.
#pragma once

namespace vorlisk {

inline constexpr unsigned kGbkFirstLead = 0x81;   // lead bytes 0x81..0xFE
inline constexpr unsigned kGbkFirstTrail = 0x40;  // trail bytes 0x40..0xFE
inline constexpr int kGbkLeads = 0xFE - 0x81 + 1;
inline constexpr int kGbkTrails = 0xFE - 0x40 + 1;
inline constexpr char16_t kGbkNoChar = 0xFFFF;  // a code that is no character

// kGbkTable[lead - 0x81][trail - 0x40]: the character of a two-byte code.
extern const char16_t kGbkTable[kGbkLeads][kGbkTrails + 1];

}  // namespace vorlisk
