#include <gtest/gtest.h>
#ifdef _WIN32
#include <objbase.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The program's UI thread lives in a single-threaded apartment; so do the tests.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
#ifdef _WIN32
  CoUninitialize();
#endif
  return result;
}
