#include "core/document/document_lock_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <sstream>

#include "core/document/file_io.h"

namespace vimbo {
namespace {

std::string ThisHost() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace

std::string LockFilePath(const std::string& document) {
  const std::size_t slash = document.rfind('/');
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  return document.substr(0, nameAt) + "." + document.substr(nameAt) + ".lock";
}

std::optional<std::string> LockHolder(const std::string& document) {
  const std::string path = LockFilePath(document);
  const std::optional<std::string> text = ReadFileText(path);
  if (!text) return std::nullopt;
  std::istringstream lines(*text);
  std::string pid;
  std::string program;
  std::string host;
  std::getline(lines, pid);
  std::getline(lines, program);
  std::getline(lines, host);
  char* end = nullptr;
  const long number = std::strtol(pid.c_str(), &end, 10);
  if (end != pid.c_str() && number > 0 && host == ThisHost() && kill(static_cast<pid_t>(number), 0) != 0 &&
      errno == ESRCH)
    return std::nullopt;
  std::string since = "--:--";
  struct stat status {};
  std::tm local{};
  if (stat(path.c_str(), &status) == 0 && localtime_r(&status.st_mtime, &local)) {
    char text[8];
    if (std::strftime(text, sizeof text, "%H:%M", &local) > 0) since = text;
  }
  return (host.empty() ? std::string("unknown host") : host) + ", since " + since;
}

}  // namespace vimbo
