#pragma once
// The NC work of the stand-in: applies a step's rules to the text of an NC file. The text
// is handled as bytes, so the file's encoding and each line's ending (CRLF or LF) survive.
#include <span>
#include <string>
#include <string_view>

#include "nc_script.h"

// Rules, in order:
//  replace        every occurrence of From becomes To, line by line;
//  renumber       the N words that start blocks become Start, Start+Step, ...; blocks
//                 without an N word are left alone;
//  strip-comments removes "( ... )" comments and everything from ";" to the end of the
//                 line, then trailing blanks; a line that held only a comment goes away;
//  uppercase      ASCII letters outside comments become capitals.
std::string ApplyRules(std::string_view text, std::span<const TRule> rules);
