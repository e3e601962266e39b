#include "cli/cli_commands.h"

#include <ostream>

#include "document/document_loader.h"
#include "document/document_writer.h"
#include "records/document_data.h"

namespace vimbo::cli {
namespace {

constexpr const char* kUsage =
    "usage: vimbo-cli new OUT.tch\n"
    "       vimbo-cli resave IN.tch OUT.tch\n"
    "       vimbo-cli info IN.tch\n";

int Usage(std::ostream& err) {
  err << kUsage;
  return kUsageError;
}

// Loads as File Open does; on failure says why in the program's words.
bool LoadForCommand(DocumentData& data, const std::string& path, std::ostream& err) {
  const LoadResult result = Load(data, path);
  switch (result.status) {
    case LoadResult::Status::kLoaded:
      return true;
    case LoadResult::Status::kParseError:
      err << ParseErrorMessage(result.errorLine) << "\n";
      return false;
    case LoadResult::Status::kUnreadable:
      err << "Error loading file.\n";
      return false;
  }
  return false;
}

int SaveForCommand(DocumentData& data, const std::string& path, std::ostream& err) {
  if (Write(data, path)) return kSuccess;
  err << "Error saving " << path << ".\n";
  return kFailure;
}

int New(const std::string& out, std::ostream& err) {
  DocumentData data;
  data.Clear();
  data.AddDefaultContactTypes();
  return SaveForCommand(data, out, err);
}

int Resave(const std::string& in, const std::string& out, std::ostream& err) {
  DocumentData data;
  if (!LoadForCommand(data, in, err)) return kFailure;
  return SaveForCommand(data, out, err);
}

int Info(const std::string& in, std::ostream& out, std::ostream& err) {
  DocumentData data;
  if (!LoadForCommand(data, in, err)) return kFailure;
  out << "persons " << data.persons.Size() << "\n"
      << "contacts " << data.contacts.Size() << "\n"
      << "contact types " << data.contactTypes.Size() << "\n"
      << "version " << data.version << "\n";
  return kSuccess;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err);
  const std::string& command = args[0];
  if (command == "new" && args.size() == 2) return New(args[1], err);
  if (command == "resave" && args.size() == 3) return Resave(args[1], args[2], err);
  if (command == "info" && args.size() == 2) return Info(args[1], out, err);
  return Usage(err);
}

}  // namespace vimbo::cli
