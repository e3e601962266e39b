#pragma once
// How an export, a report or a file operation ended: done (with how many
// lines, pages, cards or persons it wrote or added), cancelled by the user
// (nothing to say), or failed (with the message the user is to read). One
// type for all of them, so every caller reports an end the same way.

#include <string>
#include <utility>

namespace vimbo {

struct Outcome {
  enum class Status { kDone, kCancelled, kFailed };

  Status status = Status::kDone;
  int count = 0;
  std::string message;

  static Outcome Done(int count = 0) { return {Status::kDone, count, {}}; }
  static Outcome Cancelled() { return {Status::kCancelled, 0, {}}; }
  static Outcome Failed(std::string message) { return {Status::kFailed, 0, std::move(message)}; }

  bool IsDone() const { return status == Status::kDone; }
  bool IsCancelled() const { return status == Status::kCancelled; }
  bool IsFailed() const { return status == Status::kFailed; }
};

}  // namespace vimbo
