#pragma once
// Whether another running Vimbo has a document open, as the program marks
// it: a lock file beside the document, ".NAME.lock", that holds the
// program's process number, its name and its host, one per line.

#include <optional>
#include <string>

namespace vimbo {

// The lock file of `document`.
std::string LockFilePath(const std::string& document);

// "HOST, since HH:MM" for a lock in force; nothing without a lock, or for
// the lock of a program on this host that is gone (the program takes such
// a lock over).
std::optional<std::string> LockHolder(const std::string& document);

}  // namespace vimbo
