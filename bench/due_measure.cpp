#include "due_measure.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/reminders/calendar_days.h"
#include "core/reminders/due_items.h"
#include "load_work.h"

extern char** environ;

namespace vimbo::bench {
namespace {

// Reminders as a well-kept address book has them: one person in ten with an
// interval of one to three months and a birthday, one in twenty an
// anniversary; one contact in fifty with a follow-up a week after it, half
// of them done.
DocumentData WithReminders(const DocumentData& data) {
  DocumentData copy = data;
  for (const auto& [id, person] : data.persons) {
    if (id % 10 != 0 && id % 20 != 5) continue;
    Person changed = person;
    if (id % 10 == 0) {
      changed.KeepInTouch = 30 + id % 61;
      changed.Birthday = {static_cast<int16_t>(1940 + id % 60), static_cast<uint8_t>(1 + id % 12),
                          static_cast<uint8_t>(1 + id % 28)};
    }
    if (id % 20 == 5) changed.Anniversary = {0, static_cast<uint8_t>(1 + id % 12), static_cast<uint8_t>(1 + id % 28)};
    copy.persons.Replace(changed);
  }
  for (const auto& [id, contact] : data.contacts) {
    if (id % 50 != 0 || !contact.DateTime.IsValid()) continue;
    Contact changed = contact;
    changed.FollowUp = {DateTimeValue(contact.DateTime.Number() + 7), id % 100 == 0};
    copy.contacts.Replace(changed);
  }
  return copy;
}

// Runs the program to its end with its output thrown away: the CPU seconds
// it took, user and kernel, as wait4 reports them; below 0 when it could not
// run or failed (due exits with 1 when nothing is due).
double ChildCpuSeconds(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Work ProcessWork(std::vector<std::string> args) {
  return [args = std::move(args)](int repeats) {
    double seconds = 0;
    for (int i = 0; i < repeats; ++i) {
      const double one = ChildCpuSeconds(args);
      Require(one >= 0, "vimbo-cli failed");
      seconds += one;
    }
    return seconds;
  };
}

}  // namespace

void RunDueMeasure(const DocumentData& data, const std::string& folder, const std::string& cli,
                   const RoundOptions& options) {
  const DocumentData reminded = WithReminders(data);
  const std::string path = folder + "/due.tch";
  Require(Write(reminded, path).IsDone(), "cannot write the document with reminders");
  // A day after the last generated contact, so that intervals have run out
  // and follow-ups have come.
  const int64_t today = ParseDayText("2027-01-15").value_or(0);
  std::size_t listed = 0;
  const Work due = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) {
        const DueItems items = FindDue(reminded, today, 14);
        listed = items.followUps.size() + items.keepInTouch.size() + items.comingDates.size();
      }
    });
  };
  const Work load = LoadWork(path);
  const PairResult rules = Interleave(due, load, options);
  PrintRow("due, the rules over the document / its load", Milliseconds(rules.ours), Milliseconds(rules.reference),
           Ratio(rules.ratio), "<= 50 ms", rules.ours <= 0.050);
  char note[96];
  std::snprintf(note, sizeof note, "%s items due on 2027-01-15 with 14 days ahead",
                Count(static_cast<double>(listed)).c_str());
  PrintNote("due", note);

  if (::access(cli.c_str(), X_OK) != 0) {
    PrintNote("due command", "skipped: no vimbo-cli at " + cli);
    return;
  }
  const PairResult command =
      Interleave(ProcessWork({cli, "due", path, "--today", "2027-01-15"}), ProcessWork({cli, "info", path}), options);
  PrintRow("vimbo-cli due / vimbo-cli info, whole process", Milliseconds(command.ours), Milliseconds(command.reference),
           Ratio(command.ratio), "<= 1.2", command.ratio <= 1.2);
}

}  // namespace vimbo::bench
