#include "merge_measure.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/editing/document_merge.h"
#include "load_work.h"

namespace vimbo::bench {
namespace {

// A copy edited as a week on one computer might: one person in a hundred
// changed, one in a thousand deleted with its contacts, and as many persons
// and contacts added as changed. The two copies change different persons
// (`offset`), but add under the same IDs, so the join renumbers.
DocumentData EditedCopy(const DocumentData& base, int32_t offset, const char* mark) {
  DocumentData copy = base;
  std::vector<int32_t> deleted;
  for (const auto& [id, person] : base.persons) {
    if ((id + offset) % 100 == 0) {
      Person changed = person;
      changed.City = mark;
      copy.persons.Replace(changed);
    } else if ((id + offset) % 1000 == 7) {
      deleted.push_back(id);
    }
  }
  std::vector<int32_t> contacts;
  for (const auto& [id, contact] : base.contacts)
    if (std::binary_search(deleted.begin(), deleted.end(), contact.PersonID)) contacts.push_back(id);
  copy.contacts.EraseMany(contacts);
  copy.persons.EraseMany(deleted);
  const std::size_t added = base.persons.Size() / 100;
  for (std::size_t i = 0; i < added; ++i) {
    Person person;
    person.ID = copy.persons.NextID();
    person.LName = mark;
    Contact contact;
    contact.ID = copy.contacts.NextID();
    contact.PersonID = person.ID;
    contact.ContactTypeID = 1;
    contact.DateTime.SetDateTime(2026, 12, 1, 9, 0, 0);
    contact.Description = mark;
    copy.persons.Insert(person);
    copy.contacts.Insert(contact);
  }
  return copy;
}

}  // namespace

void RunMergeMeasure(const DocumentData& data, const std::string& path, const std::string& folder,
                     const RoundOptions& options) {
  const std::string ours = folder + "/ours.tch";
  const std::string theirs = folder + "/theirs.tch";
  Require(Write(EditedCopy(data, 0, "Ours"), ours).IsDone(), "cannot write the first copy");
  Require(Write(EditedCopy(data, 50, "Theirs"), theirs).IsDone(), "cannot write the second copy");
  std::size_t conflicts = 0;
  std::size_t persons = 0;
  const Work merge = [&](int repeats) {
    double seconds = 0;
    for (int i = 0; i < repeats; ++i) {
      DocumentData copies[3];
      MergeResult result;
      seconds += CpuSecondsOf([&] {
        Require(Load(copies[0], path).Ok() && Load(copies[1], ours).Ok() && Load(copies[2], theirs).Ok(),
                "a copy did not load");
        result = MergeDocuments(&copies[0], copies[1], copies[2]);
      });
      conflicts = result.conflicts.size();
      persons = result.document.persons.Size();
    }
    return seconds;
  };
  const Work load = LoadWork(path);
  const PairResult result = Interleave(merge, load, options);
  PrintRow("merge, three loads and the join / one load", Milliseconds(result.ours), Milliseconds(result.reference),
           Ratio(result.ratio), "<= 4.0", result.ratio <= 4.0);
  char note[96];
  std::snprintf(note, sizeof note, "%s persons after the merge, %s conflicts",
                Count(static_cast<double>(persons)).c_str(), Count(static_cast<double>(conflicts)).c_str());
  PrintNote("merge", note);
}

}  // namespace vimbo::bench
