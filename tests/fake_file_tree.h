// The files, directories and links of a FakeOs, found by their names as
// a POSIX system finds them.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "util/os.h"

namespace tarvosa::testing {

struct FakeNode {
  enum class Kind { kFile, kDirectory, kLink, kFifo } kind = Kind::kFile;
  std::string bytes;  // a file's
  std::uint32_t permissions = 0644;
  std::chrono::system_clock::time_point last_written{};
  std::string target;                                        // a link's, a whole path
  std::map<std::string, std::shared_ptr<FakeNode>> entries;  // a directory's
  bool locked_elsewhere = false;                             // by another process
  File::Handle locked_by = 0;                                // the open file holding its lock
};
using FakeNodePtr = std::shared_ptr<FakeNode>;

class FakeFileTree {
 public:
  FakeFileTree();

  // The node `path` names; links followed on the way, and at the end when
  // `follow` says so. Nothing, with `error` set to an errno, when there is
  // none.
  FakeNodePtr Find(const std::string& path, bool follow, int& error) const;

  // The directory that holds `path`'s last name, and that name.
  FakeNodePtr ParentOf(const std::string& path, std::string& name, int& error) const;

  // The directory `path`, made with its parents where missing.
  FakeNodePtr MakeDirectories(const std::string& path);

  // Puts `node` under the name `path`, making its directories.
  void Put(const std::string& path, FakeNodePtr node);

 private:
  FakeNodePtr root_;
};

}  // namespace tarvosa::testing
