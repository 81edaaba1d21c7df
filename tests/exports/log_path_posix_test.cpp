// Log paths that are not a plain file: the call never waits on them, writes
// nothing into them, computes the same curve as without a log and leaves no
// descriptor open.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/host_library.hpp"
#include "support/open_descriptors.hpp"

namespace {

using test_support::open_descriptors;

// A one-layer Vogel oil well whose API gravity makes the fluid routines
// write messages, so that a log that opened would be written.
std::vector<double> run_noisy_well(host::CalFn cal, const char* path) {
  auto b = host::Blocks::vogel_well();
  b->fluids[DLV_LAYER_FLUIDS_API_GRAVITY] = 90.0;
  EXPECT_EQ(b->run(cal, path), 1);
  return std::vector<double>(b->summary, std::end(b->summary));
}

class OddLogPath : public ::testing::Test {
 protected:
  void SetUp() override {
    cal_ = host::symbol<host::CalFn>("dlv_cal");
    ASSERT_NE(cal_, nullptr) << dlerror();
    dir_ = ::testing::TempDir() + "dlv_logpath_" + std::to_string(getpid());
    mkdir(dir_.c_str(), 0755);
    without_log_ = run_noisy_well(cal_, nullptr);
  }
  void TearDown() override {
    for (const char* name : {"/fifo", "/socket", "/plain.log"}) std::remove((dir_ + name).c_str());
    rmdir(dir_.c_str());
  }
  // Runs with `path` as log path: at once, the same curve, no descriptor left.
  void expect_harmless(const std::string& path) {
    const int before = open_descriptors();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run_noisy_well(cal_, path.c_str()), without_log_) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << path;
    EXPECT_EQ(open_descriptors(), before) << path;
  }

  host::CalFn cal_ = nullptr;
  std::string dir_;
  std::vector<double> without_log_;
};

TEST_F(OddLogPath, FifoWithOrWithoutReaderGetsNothingAndReturnsAtOnce) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  expect_harmless(fifo);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  expect_harmless(fifo);
  char byte;
  EXPECT_LE(read(reader, &byte, 1), 0);  // nothing was written
  close(reader);
}

TEST_F(OddLogPath, SocketDirectoryMissingDirectoryDevicesAndEmptyPathGiveNoLog) {
  const std::string socket_path = dir_ + "/socket";
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(sock, 1), 0);
  for (const std::string& path :
       {socket_path, dir_, dir_ + "/missing/dlv.log", std::string(), std::string("/dev/null"),
        std::string("/dev/tty"), std::string("/proc/version")}) {
    expect_harmless(path);
  }
  close(sock);
}

// A plain file keeps what it held and gets the messages appended, lines ending in CR LF.
TEST_F(OddLogPath, PlainFileStillGetsTheMessagesAppended) {
  const std::string file = dir_ + "/plain.log", held = "existing text\r\n";
  std::ofstream(file, std::ios::binary) << held;
  expect_harmless(file);
  expect_harmless(file);
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const std::string once = text.substr(held.size(), (text.size() - held.size()) / 2);
  EXPECT_GT(once.size(), 2u);
  EXPECT_EQ(text, held + once + once);
  EXPECT_EQ(once.substr(once.size() - 2), "\r\n");
}

}  // namespace
