#pragma once
// What Velbrook says of a box that Norvalt shows while a call waits: one line, fit for the
// status line, a record line and a message.
#include <string>

// "<caption>: <text>", every run of blanks and line breaks made one blank; the caption alone
// for a box without text.
std::wstring BoxSummary(const std::wstring& caption, const std::wstring& text);
// Norvalt shows a box: "<caption>: <text>"
std::wstring BoxNotice(const std::wstring& caption, const std::wstring& text);
