#include "core/find/find.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "core/find/newest_first.h"
#include "core/find/person_text.h"
#include "core/find/text_fold.h"
#include "core/find/text_search.h"

namespace vimbo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Which of a query's first words a person's display name holds, a bit per
// word: a contact's words are looked for in its notes and in that name.
using NameBits = uint32_t;
constexpr std::size_t kNamedWords = 32;

NameBits Bit(std::size_t word) { return NameBits{1} << word; }

// The bytes a text holds, ASCII letters in lower case.
class ByteSet {
 public:
  static ByteSet Of(std::string_view text) {
    ByteSet set;
    for (const char c : text) {
      const auto byte = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
      set.bits_[byte / 64] |= uint64_t{1} << (byte % 64);
    }
    return set;
  }
  // Whether every byte of `other` is here too.
  bool Covers(const ByteSet& other) const {
    uint64_t missing = 0;
    for (std::size_t i = 0; i < bits_.size(); ++i) missing |= other.bits_[i] & ~bits_[i];
    return missing == 0;
  }

 private:
  std::array<uint64_t, 4> bits_{};
};

constexpr std::size_t kFree = SIZE_MAX;  // an empty slot of the words' table

class Matcher {
 public:
  explicit Matcher(std::string_view query) {
    std::vector<std::string> words = QueryWords(query);
    // A long word is seldom found, so the longest come first: a record then
    // mostly fails on the first word it is tried with, and the bits of the
    // names go to the words that decide.
    std::stable_sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
    named_ = std::min(words.size(), kNamedWords);
    for (std::string& word : words) {
      spansNameParts_.push_back(word.find(',') != std::string::npos ? 1 : 0);
      if (words_.size() < named_) wordBytes_.push_back(ByteSet::Of(word));
      words_.emplace_back(std::move(word));
    }
  }

  bool HasWords() const { return !words_.empty(); }

  // Whether every word is in some field of `person`; and, in `inName`,
  // which of the first words its display name holds.
  bool ScanPerson(const Person& person, NameBits& inName) {
    text_.Build(person);
    const std::string_view name = text_.Name();
    inName = 0;
    NameBits tried = 0;
    bool matches = true;
    // The search stops at the first word missing, and the word that ended
    // the last search is tried first: most persons fail on it too.
    for (std::size_t i = 0; i < words_.size() && matches; ++i) {
      const std::size_t w = InTurn(i, personLead_);
      const FoldedWord& word = words_[w];
      // The name's lines come first, so a word the name holds is first
      // found there.
      const std::size_t at = word.FindIn(text_.All());
      if (w < named_) {
        tried |= Bit(w);
        if (NameHolds(w, at < name.size(), person)) inName |= Bit(w);
      }
      if (at == std::string_view::npos && !InPhones(word)) {
        matches = false;
        personLead_ = w;
      }
    }
    // A contact of the person may need the words the search did not reach.
    // Most of them have a byte the name lacks, which rules them out without
    // a search.
    const auto all = static_cast<NameBits>((uint64_t{1} << named_) - 1);
    if ((tried & all) == all) return matches;
    const ByteSet nameBytes = ByteSet::Of(name);
    for (std::size_t w = 0; w < named_; ++w) {
      if ((tried & Bit(w)) != 0 || !(spansNameParts_[w] != 0 || nameBytes.Covers(wordBytes_[w]))) continue;
      if (NameHolds(w, words_[w].FindIn(name) != std::string_view::npos, person)) inName |= Bit(w);
    }
    return matches;
  }

  // Whether every word is in the contact's notes or in its person's display
  // name, of which `inName` tells the first words.
  bool MatchesContact(const Contact& contact, NameBits inName, const Persons& persons) {
    for (std::size_t i = 0; i < words_.size(); ++i) {
      const std::size_t w = InTurn(i, contactLead_);
      if (w < named_ && (inName & Bit(w)) != 0) continue;
      if (words_[w].OccursIn(contact.Description, scratch_)) continue;
      if (w >= named_ && NameOf(contact.PersonID, persons) && words_[w].OccursIn(name_, scratch_)) continue;
      // A later word's miss costs a look at the person's name first; only
      // the first words' misses, which cost nothing more, lead the next
      // contact's search.
      if (w < named_) contactLead_ = w;
      return false;
    }
    return true;
  }

 private:
  // The word tried `i`th: the lead first, then the others in their order.
  static std::size_t InTurn(std::size_t i, std::size_t lead) { return i == 0 ? lead : (i <= lead ? i - 1 : i); }

  bool InPhones(const FoldedWord& word) {
    const std::string& digits = word.PhoneDigits();
    return !digits.empty() && text_.PhoneDigits().find(digits) != std::string_view::npos;
  }

  // Whether the display name holds word `w`, given whether one of its
  // fields does. A word without a comma lies within one field; only a word
  // with one can run across the ", " between them.
  bool NameHolds(std::size_t w, bool inField, const Person& person) {
    if (inField || spansNameParts_[w] == 0) return inField;
    name_.clear();
    namedPerson_.reset();
    person.AppendDisplayName(name_);
    return words_[w].OccursIn(name_, scratch_);
  }

  // Makes `name_` the display name of the person with `personId`; false
  // when there is no such person.
  bool NameOf(int32_t personId, const Persons& persons) {
    if (namedPerson_ == personId) return true;
    const Person* person = persons.Find(personId);
    if (!person) return false;
    name_.clear();
    person->AppendDisplayName(name_);
    namedPerson_ = personId;
    return true;
  }

  std::vector<FoldedWord> words_;
  std::vector<char> spansNameParts_;
  std::size_t named_ = 0;
  std::vector<ByteSet> wordBytes_;  // of the first words
  std::size_t personLead_ = 0;
  std::size_t contactLead_ = 0;
  PersonText text_;
  std::string name_;
  std::optional<int32_t> namedPerson_;  // whose display name `name_` is
  std::string scratch_;
};

// The persons whose display name holds one of the first words, with the
// words it holds: few persons for most queries, so a contact's person is
// looked up here only when one of them may be it. A bit per ID, taken
// modulo a power of two at least the number of persons, tells which IDs may
// be here: with IDs handed out in turn it tells them exactly.
class NameMatches {
 public:
  explicit NameMatches(std::size_t persons)
      : mask_(std::bit_ceil(std::max<std::size_t>(persons, 64)) - 1), bits_((mask_ + 1) / 64) {}

  void Add(int32_t personId, NameBits inName) {
    if (inName == 0) return;
    ids_.push_back(personId);
    words_.push_back(inName);
    const std::size_t bit = Bit(personId);
    bits_[bit / 64] |= uint64_t{1} << (bit % 64);
  }

  // The words the person's name holds, none when it is not here.
  NameBits WordsOf(int32_t personId) const {
    const std::size_t bit = Bit(personId);
    if ((bits_[bit / 64] >> (bit % 64) & 1U) == 0) return 0;
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), personId);
    if (at == ids_.end() || *at != personId) return 0;
    return words_[static_cast<std::size_t>(at - ids_.begin())];
  }

 private:
  std::size_t Bit(int32_t personId) const { return static_cast<uint32_t>(personId) & mask_; }

  std::size_t mask_;
  std::vector<uint64_t> bits_;
  std::vector<int32_t> ids_;  // ascending, as the persons are
  std::vector<NameBits> words_;
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
    if (!word.empty()) words.push_back(std::move(word));
    i = end;
  }
  // A pasted text repeats its words many times. Each is looked up in a
  // table of the words before it, a slot per word at most half full, so
  // finding the copies takes one pass.
  const std::size_t slots = std::bit_ceil(2 * words.size() + 1);
  std::vector<std::size_t> table(slots, kFree);
  std::vector<char> repeated(words.size());
  for (std::size_t k = 0; k < words.size(); ++k) {
    std::size_t slot = std::hash<std::string>{}(words[k]) & (slots - 1);
    while (table[slot] != kFree && words[table[slot]] != words[k]) slot = (slot + 1) & (slots - 1);
    if (table[slot] == kFree) {
      table[slot] = k;
    } else {
      repeated[k] = 1;
    }
  }
  std::vector<std::string> unique;
  for (std::size_t k = 0; k < words.size(); ++k)
    if (repeated[k] == 0) unique.push_back(std::move(words[k]));
  return unique;
}

FindResults Find(const DocumentData& data, std::string_view query) {
  FindResults results;
  Matcher matcher(query);
  if (!matcher.HasWords()) return results;

  NameMatches names(data.persons.Size());
  NameBits inName = 0;
  for (const auto& [id, person] : data.persons) {
    if (matcher.ScanPerson(person, inName)) results.persons.push_back(id);
    names.Add(id, inName);
  }

  std::vector<FoundContact> found;
  for (const auto& [id, contact] : data.contacts) {
    if (!matcher.MatchesContact(contact, names.WordsOf(contact.PersonID), data.persons)) continue;
    found.push_back({NewestFirstKey(contact.DateTime.Linear()), id});
  }
  results.contacts = NewestFirst(std::move(found));
  return results;
}

}  // namespace vimbo
