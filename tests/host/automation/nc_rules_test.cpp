#include "nc_rules.h"

#include <gtest/gtest.h>

namespace {

std::string RunStep1(std::string_view script, std::string_view text) {
  return ApplyRules(text, ParseScript(script).Step1);
}

}  // namespace

TEST(ApplyRules, ReplaceChangesEveryOccurrenceAndKeepsLineEndings) {
  EXPECT_EQ(RunStep1("step1 replace \"G0 \" \"G00 \"", "G0 X1 G0 Y2\r\nG01 X3\r\nG0 Z4\n"),
            "G00 X1 G00 Y2\r\nG01 X3\r\nG00 Z4\n");
  // A replacement that contains what it replaces is not applied again.
  EXPECT_EQ(RunStep1("step1 replace \"X\" \"XX\"", "X1X"), "XX1XX");
}

TEST(ApplyRules, RenumberRewritesExistingBlockNumbersOnly) {
  const std::string text =
      "%\r\n"
      "O1000\r\n"
      "N5 G90\r\n"
      "(no number here)\r\n"
      "  n7 G0 X1\r\n"
      "G1 X2 N99\r\n"
      "N G1\r\n"
      "N123456789 M30";
  EXPECT_EQ(RunStep1("step1 renumber 10 10", text),
            "%\r\n"
            "O1000\r\n"
            "N10 G90\r\n"
            "(no number here)\r\n"
            "  n20 G0 X1\r\n"
            "G1 X2 N99\r\n"
            "N G1\r\n"
            "N30 M30");
}

TEST(ApplyRules, StripCommentsRemovesBothKindsAndCommentOnlyLines) {
  EXPECT_EQ(RunStep1("step1 strip-comments",
                     "(PROGRAM HEADER)\r\n"
                     "N10 G0 X1 (rapid) Y2 ; move\r\n"
                     "N20 G1 X3 ( a ; b ) F100\r\n"
                     "; whole line\r\n"
                     "\r\n"
                     "N30 M5 (unclosed\n"
                     "N40 M30\n"),
            "N10 G0 X1 Y2\r\n"
            "N20 G1 X3 F100\r\n"
            "\r\n"
            "N30 M5\n"
            "N40 M30\n");
}

TEST(ApplyRules, UppercaseLeavesCommentsAlone) {
  EXPECT_EQ(RunStep1("step1 uppercase", "n10 g0 x1 (keep me) y2 ; and me\n"), "N10 G0 X1 (keep me) Y2 ; and me\n");
}

TEST(ApplyRules, RulesRunInOrderAndBytesOutsideAsciiSurvive) {
  const std::string text = "n1 g0 (caf\xE9) x1\r\nn2 g1 ; \xFC\r\nn3 \xB0\r\n";
  EXPECT_EQ(RunStep1("step1 strip-comments\nstep1 uppercase\nstep1 renumber 100 1", text),
            "N100 G0 X1\r\nN101 G1\r\nN102 \xB0\r\n");
  EXPECT_EQ(RunStep1("step1 uppercase", ""), "");
  EXPECT_EQ(RunStep1("", text), text);
}
