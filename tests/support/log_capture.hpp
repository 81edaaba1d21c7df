// Captures what the fluid routines write to the diagnostic log.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "platform/diagnostic_log.hpp"

namespace fluids_test {

// Runs f with a fresh log open, as a dlv_cal run has it, and returns the bytes written.
template <class F>
std::string logged(F f) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = ::testing::TempDir() + test->test_suite_name() + test->name() + ".log";
  std::ofstream(path, std::ios::trunc).close();
  dlv::log_handle = dlv::platform::open_log_file(path.c_str());
  f();
  dlv::platform::close_log_file(dlv::log_handle);
  dlv::log_handle = dlv::platform::kNoLog;
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// One log line per name, "<head><name><tail>\r\n", in order.
inline std::string lines(std::initializer_list<const char*> names, const std::string& head,
                         const std::string& tail) {
  std::string text;
  for (const char* name : names) text += head + name + tail + "\r\n";
  return text;
}

}  // namespace fluids_test
