#include "filelists/list_control_parts.h"

#include "base/errors.h"
#include "base/win_handles.h"
#include "filelists/list_errors.h"
#include "filelists/type_ahead.h"
#include "platform/file_system_win.h"

IFileSystem& ListsFileSystem() {
  static TWinFileSystem fileSystem;
  return fileSystem;
}

const ICollation& ListsCollation() {
  static const TWinCollation collation;
  return collation;
}

void TCountedListBoxWindow::ClearEntries() {
  SetRows(0);
  FEntries = 0;
}

void TCountedListBoxWindow::ReserveEntries(std::size_t count) { SetRows(FEntries + count); }

void TCountedListBoxWindow::AddEntry(const TListEntry&) {
  ++FEntries;
  if (FEntries > FRows) SetRows(FEntries);
}

void TCountedListBoxWindow::SetRows(std::size_t rows) {
  const LRESULT result = SendMessageW(FList.Handle(), LB_SETCOUNT, rows, 0);
  if (result == LB_ERR || result == LB_ERRSPACE) RaiseInsertLineError();
  FRows = rows;
}

void UseCountedRows(TCreateParams& params) {
  params.Style = (params.Style & ~static_cast<DWORD>(LBS_HASSTRINGS)) | LBS_NODATA;
}

// Pointer handles are 32-bit values on 64-bit Windows too (sign-extended), so an int keeps one.
int TScreenPointer::Current() const { return static_cast<int>(reinterpret_cast<std::intptr_t>(GetCursor())); }

void TScreenPointer::SetBusy() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

void TScreenPointer::Restore(int shape) { SetCursor(reinterpret_cast<HCURSOR>(static_cast<std::intptr_t>(shape))); }

int TextHeight96(const TFont& font) {
  const TMemoryDC dc(CreateCompatibleDC(nullptr));
  const TSelectObject select(dc.Get(), font.Handle(96));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

std::uint64_t TypeAheadClock() { return GetTickCount64(); }

bool IsTypeAheadKey(WPARAM key) { return key == TTypeAhead::kBackspace || key >= L' '; }
