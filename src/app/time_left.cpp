#include "app/time_left.h"

using namespace std::chrono;

std::optional<seconds> EstimateTimeLeft(int done, int total, milliseconds spentOnDone) {
  if (done <= 0 || done > total || (done < 3 && spentOnDone < seconds(10))) return std::nullopt;
  const milliseconds left = spentOnDone * (total - done) / done;
  return ceil<seconds>(left);
}

std::wstring TimeLeftText(seconds left) {
  if (left < minutes(1)) return L"about " + std::to_wstring(left.count() < 1 ? 1 : left.count()) + L" s left";
  const long long wholeMinutes = (left.count() + 30) / 60;
  return L"about " + std::to_wstring(wholeMinutes) + L" min left";
}

std::wstring WithTimeLeft(const std::wstring& status, const std::optional<seconds>& left) {
  return left ? status + L", " + TimeLeftText(*left) : status;
}
