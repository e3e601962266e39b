#include "core/find/find.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/find/text_fold.h"
#include "core/find/text_search.h"
#include "core/records/field_tables.h"

namespace vimbo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// The fields whose digits alone are matched too.
bool IsPhoneField(const CompactText Person::*member) {
  return member == &Person::Phone || member == &Person::WkPhone || member == &Person::WkExt ||
         member == &Person::CelPhone || member == &Person::Pager || member == &Person::Fax;
}

class Matcher {
 public:
  explicit Matcher(std::string_view query) {
    for (std::string& word : QueryWords(query)) words_.emplace_back(std::move(word));
    for (const FoldedWord& word : words_) spansNameParts_.push_back(word.Text().find(',') != std::string::npos);
  }

  bool HasWords() const { return !words_.empty(); }
  std::size_t WordCount() const { return words_.size(); }

  // Whether every word is in some field of `person`; and, as flags in
  // `inName`, which words its display name holds.
  bool ScanPerson(const Person& person, std::vector<char>& inName) {
    inName.assign(words_.size(), 0);
    inPerson_.assign(words_.size(), 0);
    // The display name is the last name, the first name or both, or else
    // the company. A word without a comma lies within one of them; only a
    // word with one can run across the ", " between them.
    const CompactText* shown[2] = {&person.Company, nullptr};
    if (!person.LName.empty())
      shown[0] = &person.LName, shown[1] = person.FName.empty() ? nullptr : &person.FName;
    else if (!person.FName.empty())
      shown[0] = &person.FName;
    for (std::size_t w = 0; w < words_.size(); ++w) {
      for (const CompactText* field : shown)
        if (field && !inName[w] && words_[w].OccursIn(*field, scratch_)) inName[w] = 1;
      inPerson_[w] = inName[w];
      if (spansNameParts_[w] && !inName[w]) {
        name_.clear();
        person.AppendDisplayName(name_);
        inName[w] = words_[w].OccursIn(name_, scratch_) ? 1 : 0;
      }
    }
    for (const RecordField<Person>& field : kPersonFields) {
      const CompactText& text = person.*field.member;
      if (text.empty() || &text == shown[0] || &text == shown[1]) continue;
      for (std::size_t w = 0; w < words_.size(); ++w) {
        if (inPerson_[w]) continue;
        inPerson_[w] = words_[w].OccursIn(text, scratch_) ||
                       (words_[w].AllDigits() && IsPhoneField(field.member) && words_[w].OccursInDigitsOf(text, scratch_));
      }
    }
    return std::find(inPerson_.begin(), inPerson_.end(), 0) == inPerson_.end();
  }

  // Whether every word is either flagged in `covered` (may be null) or in
  // `text`.
  bool Completes(const char* covered, std::string_view text) {
    for (std::size_t w = 0; w < words_.size(); ++w) {
      if (covered && covered[w]) continue;
      if (!words_[w].OccursIn(text, scratch_)) return false;
    }
    return true;
  }

 private:
  std::vector<FoldedWord> words_;
  std::vector<char> spansNameParts_;
  std::vector<char> inPerson_;
  std::string name_;
  std::string scratch_;
};

// The persons whose display name holds one of the words, with the words it
// holds: few persons for most queries, so a contact's person is looked up
// here only when one of them may be it.
class NameMatches {
 public:
  explicit NameMatches(std::size_t words) : words_(words) {}

  void Add(int32_t personId, const std::vector<char>& inName) {
    if (std::find(inName.begin(), inName.end(), 1) == inName.end()) return;
    ids_.push_back(personId);
    flags_.insert(flags_.end(), inName.begin(), inName.end());
  }

  // The flags of the person's words, or null when the name holds none.
  const char* WordsOf(int32_t personId) const {
    if (ids_.empty()) return nullptr;
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), personId);
    if (at == ids_.end() || *at != personId) return nullptr;
    return flags_.data() + static_cast<std::size_t>(at - ids_.begin()) * words_;
  }

 private:
  std::size_t words_;
  std::vector<int32_t> ids_;  // ascending, as the persons are
  std::vector<char> flags_;
};

std::vector<int32_t> NewestFirst(std::vector<std::pair<double, int32_t>> found) {
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first || (a.first == b.first && a.second < b.second); });
  std::vector<int32_t> ids(found.size());
  std::transform(found.begin(), found.end(), ids.begin(), [](const auto& entry) { return entry.second; });
  return ids;
}

}  // namespace

std::vector<std::string> QueryWords(std::string_view query) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < query.size()) {
    if (IsBlank(query[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < query.size() && !IsBlank(query[end])) ++end;
    std::string word;
    AppendFolded(query.substr(i, end - i), word);
    // A word of combining accents alone folds to nothing and finds all.
    if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) words.push_back(std::move(word));
    i = end;
  }
  return words;
}

FindResults Find(const DocumentData& data, std::string_view query) {
  FindResults results;
  Matcher matcher(query);
  if (!matcher.HasWords()) return results;

  NameMatches names(matcher.WordCount());
  std::vector<char> inName;
  for (const auto& [id, person] : data.persons) {
    if (matcher.ScanPerson(person, inName)) results.persons.push_back(id);
    names.Add(id, inName);
  }

  std::vector<std::pair<double, int32_t>> found;
  for (const auto& [id, contact] : data.contacts) {
    const char* covered = names.WordsOf(contact.PersonID);
    if (!matcher.Completes(covered, contact.Description)) continue;
    // A moment that is no number is listed last, as in the contacts list.
    const double moment = contact.DateTime.Linear();
    found.emplace_back(std::isnan(moment) ? -std::numeric_limits<double>::infinity() : moment, id);
  }
  results.contacts = NewestFirst(std::move(found));
  return results;
}

}  // namespace vimbo
