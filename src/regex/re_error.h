// The pattern engine's failures.
//
// A pattern that cannot be compiled raises ERegExpParser: a Japanese message
// (CP932 bytes, shown to the user as it stands) and the 1-based byte position
// in the pattern where reading stopped. Internal inconsistencies raise the
// general std::runtime_error. The messages live here, in one place, as byte
// literals so that no source encoding can alter them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumeko {

class ERegExpParser : public std::runtime_error {
 public:
  ERegExpParser(const char* message, uint16_t errorPos)
      : std::runtime_error(message), ErrorPos(errorPos) {}
  uint16_t ErrorPos;
};

// Positions past 0xFFFF are reported as 0xFFFF rather than wrapping around.
inline uint16_t ClampErrorPos(size_t pos) {
  return pos > 0xFFFF ? uint16_t(0xFFFF) : uint16_t(pos);
}

[[noreturn]] inline void RaiseRegExpError(const char* message, size_t pos) {
  throw ERegExpParser(message, ClampErrorPos(pos));
}

namespace remsg {
// 不正な２バイト文字コードです。
inline constexpr const char kBadDoubleByte[] =
    "\x95s\x90\xB3\x82\xC8\x82Q\x83o\x83" "C\x83g\x95\xB6\x8E\x9A\x83R\x81[\x83h\x82\xC5\x82\xB7\x81" "B";
// "\"の次には文字が必要です。
inline constexpr const char kBackslashAtEnd[] =
    "\"\\\"\x82\xCC\x8E\x9F\x82\xC9\x82\xCD\x95\xB6\x8E\x9A\x82\xAA\x95K\x97v\x82\xC5\x82\xB7\x81" "B";
// 不正な１６進数コード表記です。
inline constexpr const char kBadHex[] =
    "\x95s\x90\xB3\x82\xC8\x82P\x82U\x90i\x90\x94\x83R\x81[\x83h\x95\\\x8BL\x82\xC5\x82\xB7\x81" "B";
// 不正な８進数コード表記です。
inline constexpr const char kBadOctal[] =
    "\x95s\x90\xB3\x82\xC8\x82W\x90i\x90\x94\x83R\x81[\x83h\x95\\\x8BL\x82\xC5\x82\xB7\x81" "B";
// 右ブラケット"]"が必要です
inline constexpr const char kNeedRBracket[] =
    "\x89" "E\x83u\x83\x89\x83P\x83" "b\x83g\"]\"\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";
// 不正なキャラクタ範囲です
inline constexpr const char kBadRange[] =
    "\x95s\x90\xB3\x82\xC8\x83L\x83\x83\x83\x89\x83N\x83^\x94\xCD\x88\xCD\x82\xC5\x82\xB7";
// 不正なキャラクタクラス指定です。
inline constexpr const char kBadClass[] =
    "\x95s\x90\xB3\x82\xC8\x83L\x83\x83\x83\x89\x83N\x83^\x83N\x83\x89\x83X\x8Ew\x92\xE8\x82\xC5\x82\xB7\x81" "B";
// 右(閉じ)括弧が必要です
inline constexpr const char kNeedRPar[] =
    "\x89" "E(\x95\xC2\x82\xB6)\x8A\x87\x8C\xCA\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";
// 普通の文字、または左括弧"("が必要です
inline constexpr const char kNeedOperand[] =
    "\x95\x81\x92\xCA\x82\xCC\x95\xB6\x8E\x9A\x81" "A\x82\xDC\x82\xBD\x82\xCD\x8D\xB6\x8A\x87\x8C\xCA\"(\"\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";
// 正規表現に余分な文字があります
inline constexpr const char kExtraText[] =
    "\x90\xB3\x8BK\x95\\\x8C\xBB\x82\xC9\x97]\x95\xAA\x82\xC8\x95\xB6\x8E\x9A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7";

// Our own additions, in the same voice.
// 使用できない文字コードです。 (an escape giving 0 or 0xFFFD-0xFFFF)
inline constexpr const char kReservedCode[] =
    "\x8Eg\x97p\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x83R\x81[\x83h\x82\xC5\x82\xB7\x81" "B";
// 括弧の入れ子が深すぎます。
inline constexpr const char kNestingTooDeep[] =
    "\x8A\x87\x8C\xCA\x82\xCC\x93\xFC\x82\xEA\x8Eq\x82\xAA\x90[\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81" "B";
// 正規表現が複雑すぎます。 (the automaton would pass its size bound)
inline constexpr const char kTooComplex[] =
    "\x90\xB3\x8BK\x95\\\x8C\xBB\x82\xAA\x95\xA1\x8EG\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81" "B";

// TREParseTree : 致命的エラー
inline constexpr const char kTreeFatal[] = "TREParseTree : \x92v\x96\xBD\x93I\x83G\x83\x89\x81[";
inline constexpr const char kNfaFatal[] = "This cannot happen in TRE_NFA.GenerateStateList";
}  // namespace remsg

}  // namespace lumeko
