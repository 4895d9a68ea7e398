#include "fake_file_tree.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace tarvosa::testing {
namespace {

// The names of a path; "" and "." say nothing.
std::vector<std::string> Pieces(const std::string& path) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string piece = path.substr(start, end - start);
    if (!piece.empty() && piece != ".") pieces.push_back(piece);
    start = end + 1;
  }
  return pieces;
}

constexpr int kMostLinks = 8;

std::string ParentPath(const std::vector<std::string>& pieces) {
  std::string parent;
  for (const std::string& piece : pieces) parent += "/" + piece;
  return parent;
}

}  // namespace

FakeFileTree::FakeFileTree() : root_(std::make_shared<FakeNode>()) {
  root_->kind = FakeNode::Kind::kDirectory;
}

FakeNodePtr FakeFileTree::MakeDirectories(const std::string& path) {
  FakeNodePtr directory = root_;
  for (const std::string& piece : Pieces(path)) {
    FakeNodePtr& entry = directory->entries[piece];
    if (!entry) {
      entry = std::make_shared<FakeNode>();
      entry->kind = FakeNode::Kind::kDirectory;
      entry->permissions = 0755;
    }
    directory = entry;
  }
  return directory;
}

FakeNodePtr FakeFileTree::Find(const std::string& path, bool follow, int& error) const {
  std::vector<std::string> pieces = Pieces(path);
  FakeNodePtr node = root_;
  int links = 0;
  std::size_t at = 0;
  while (at < pieces.size()) {
    if (node->kind != FakeNode::Kind::kDirectory) {
      error = ENOTDIR;
      return nullptr;
    }
    const auto entry = node->entries.find(pieces[at]);
    if (entry == node->entries.end()) {
      error = ENOENT;
      return nullptr;
    }
    node = entry->second;
    ++at;
    const bool last = at == pieces.size();
    if (node->kind != FakeNode::Kind::kLink || (last && !follow)) continue;
    if (++links > kMostLinks) {
      error = ELOOP;
      return nullptr;
    }
    // A link's target is a whole path: start again from the root with it
    // and the rest.
    std::vector<std::string> rest = Pieces(node->target);
    rest.insert(rest.end(), pieces.begin() + static_cast<std::ptrdiff_t>(at), pieces.end());
    pieces = std::move(rest);
    node = root_;
    at = 0;
  }
  return node;
}

FakeNodePtr FakeFileTree::ParentOf(const std::string& path, std::string& name, int& error) const {
  std::vector<std::string> pieces = Pieces(path);
  if (pieces.empty()) {
    error = EISDIR;
    return nullptr;
  }
  name = pieces.back();
  pieces.pop_back();
  FakeNodePtr directory = Find(ParentPath(pieces), true, error);
  if (directory && directory->kind != FakeNode::Kind::kDirectory) {
    error = ENOTDIR;
    return nullptr;
  }
  return directory;
}

void FakeFileTree::Put(const std::string& path, FakeNodePtr node) {
  std::vector<std::string> pieces = Pieces(path);
  const std::string name = pieces.back();
  pieces.pop_back();
  MakeDirectories(ParentPath(pieces))->entries[name] = std::move(node);
}

}  // namespace tarvosa::testing
