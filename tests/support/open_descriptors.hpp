// Count of the process's open file descriptors (entries of /proc/self/fd,
// the directory's own descriptor and "." and ".." included, the same in every
// count), for checks that a call leaves none open behind it.
#pragma once

#include <dirent.h>

namespace test_support {

inline int open_descriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
  }
  return count;
}

}  // namespace test_support
