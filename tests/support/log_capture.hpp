// Captures what the fluid routines write to the diagnostic log.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
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

// The log a test expects, one line of tests/fluids/data/<name>.log a line, each ended in CR LF.
inline std::string expected_log(const std::string& name) {
  std::ifstream in(DLV_SOURCE_DIR "/tests/fluids/data/" + name + ".log");
  std::string text;
  for (std::string line; std::getline(in, line);) text += line + "\r\n";
  return text;
}

}  // namespace fluids_test
