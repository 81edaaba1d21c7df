// Captures what the fluid routines write to the diagnostic log.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "fluids/log.hpp"

namespace fluids_test {

// Runs f with a fresh log open, as a dlv_cal run has it, and returns the bytes written.
template <class F>
std::string logged(F f) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path =
      ::testing::TempDir() + "fluids_" + info->test_suite_name() + "_" + info->name() + ".log";
  std::remove(path.c_str());
  dlv::log_handle = dlv::platform::open_log_file(path.c_str());
  f();
  dlv::platform::close_log_file(dlv::log_handle);
  dlv::log_handle = dlv::platform::kNoLog;
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace fluids_test
