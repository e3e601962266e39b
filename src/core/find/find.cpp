#include "core/find/find.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "core/find/newest_first.h"
#include "core/find/person_text.h"
#include "core/find/text_fold.h"
#include "core/find/text_search.h"

namespace vimbo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

class Matcher {
 public:
  explicit Matcher(std::string_view query) {
    for (std::string& word : QueryWords(query)) words_.emplace_back(std::move(word));
    for (const FoldedWord& word : words_) spansNameParts_.push_back(word.Text().find(',') != std::string::npos ? 1 : 0);
  }

  bool HasWords() const { return !words_.empty(); }
  std::size_t WordCount() const { return words_.size(); }

  // Whether every word is in some field of `person`; and, as flags in
  // `inName`, which words its display name holds.
  bool ScanPerson(const Person& person, std::vector<char>& inName) {
    inName.resize(words_.size());
    text_.Build(person);
    const std::string_view name = text_.Name();
    bool matches = true;
    for (std::size_t w = 0; w < words_.size(); ++w) {
      const FoldedWord& word = words_[w];
      // Once a word is missing the person fails, and the rest are looked
      // for in the name alone. The name's lines come first, so a word the
      // name holds is first found there.
      const std::size_t at = word.FindIn(matches ? text_.All() : name);
      inName[w] = at < name.size() ? 1 : 0;
      if (matches && at == std::string_view::npos)
        matches = word.AllDigits() && text_.PhoneDigits().find(word.Text()) != std::string_view::npos;
      // A word without a comma lies within one part of the name; only a
      // word with one can run across the ", " between them.
      if (spansNameParts_[w] && !inName[w]) {
        name_.clear();
        person.AppendDisplayName(name_);
        inName[w] = word.OccursIn(name_, scratch_) ? 1 : 0;
      }
    }
    return matches;
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
  PersonText text_;
  std::string name_;
  std::string scratch_;
};

// The persons whose display name holds one of the words, with the words it
// holds: few persons for most queries, so a contact's person is looked up
// here only when one of them may be it. A bit per ID, taken modulo a power
// of two at least the number of persons, tells which IDs may be here: with
// IDs handed out in turn it tells them exactly.
class NameMatches {
 public:
  NameMatches(std::size_t words, std::size_t persons)
      : words_(words), mask_(std::bit_ceil(std::max<std::size_t>(persons, 64)) - 1), bits_((mask_ + 1) / 64) {}

  void Add(int32_t personId, const std::vector<char>& inName) {
    if (std::find(inName.begin(), inName.end(), 1) == inName.end()) return;
    ids_.push_back(personId);
    flags_.insert(flags_.end(), inName.begin(), inName.end());
    const std::size_t bit = Bit(personId);
    bits_[bit / 64] |= uint64_t{1} << (bit % 64);
  }

  // The flags of the person's words, or null when the name holds none.
  const char* WordsOf(int32_t personId) const {
    const std::size_t bit = Bit(personId);
    if ((bits_[bit / 64] >> (bit % 64) & 1U) == 0) return nullptr;
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), personId);
    if (at == ids_.end() || *at != personId) return nullptr;
    return flags_.data() + static_cast<std::size_t>(at - ids_.begin()) * words_;
  }

 private:
  std::size_t Bit(int32_t personId) const { return static_cast<uint32_t>(personId) & mask_; }

  std::size_t words_;
  std::size_t mask_;
  std::vector<uint64_t> bits_;
  std::vector<int32_t> ids_;  // ascending, as the persons are
  std::vector<char> flags_;
};

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

  NameMatches names(matcher.WordCount(), data.persons.Size());
  std::vector<char> inName;
  for (const auto& [id, person] : data.persons) {
    if (matcher.ScanPerson(person, inName)) results.persons.push_back(id);
    names.Add(id, inName);
  }

  std::vector<FoundContact> found;
  for (const auto& [id, contact] : data.contacts) {
    const char* covered = names.WordsOf(contact.PersonID);
    if (!matcher.Completes(covered, contact.Description)) continue;
    found.push_back({NewestFirstKey(contact.DateTime.Linear()), id});
  }
  results.contacts = NewestFirst(std::move(found));
  return results;
}

}  // namespace vimbo
