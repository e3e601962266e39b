#pragma once
// vimbo-cli report: a report written as a PDF, built as Print Preview
// builds it. Needs a QGuiApplication for its fonts.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// report addressbook|contacts|envelopes|activity IN OUT.pdf [options]. Throws a
// UsageError for a wrong command line; a report that lists nothing writes
// no file and is a failure.
int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
