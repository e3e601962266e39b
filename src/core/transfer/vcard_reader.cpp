#include "core/transfer/vcard_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "core/records/text_encoding.h"
#include "core/records/text_rules.h"
#include "core/transfer/base64_text.h"
#include "core/transfer/charset_conversion.h"
#include "core/transfer/vcard_content_lines.h"
#include "core/transfer/vcard_property.h"

namespace vimbo {
namespace {

using namespace vcard;

bool IsMediaTypeCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// "image/jpeg" from what a card names: a media type, or the image format
// alone as 2.1 and 3.0 give it ("JPEG"). Nothing for a name that is neither.
std::string MediaType(std::string_view given) {
  std::string type = Lower(TrimView(given));
  if (type == "jpg") type = "jpeg";
  const std::size_t slash = type.find('/');
  if (slash == std::string::npos) type.insert(0, "image/");
  const std::size_t at = type.find('/');
  const auto fits = [](std::string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), IsMediaTypeCharacter);
  };
  if (!fits(std::string_view(type).substr(0, at)) || !fits(std::string_view(type).substr(at + 1))) return {};
  return type;
}

std::string PhotoMediaType(const Property& p) {
  if (!p.mediaType.empty()) return MediaType(p.mediaType);
  for (const std::string& type : p.types)
    if (std::string media = MediaType(type); !media.empty()) return media;
  return {};
}

bool IsBookkeeping(std::string_view name) {
  static constexpr std::array<std::string_view, 10> kNames = {"VERSION", "PRODID", "REV",     "UID",          "KIND",
                                                              "SOURCE",  "NAME",   "PROFILE", "CLIENTPIDMAP", "BEGIN"};
  return std::find(kNames.begin(), kNames.end(), name) != kNames.end() || name == "END";
}

// The properties a field or a detail kind of their own holds.
constexpr std::array<std::string_view, 17> kHeldNames = {
    "N",    "FN",   "ORG",         "TITLE",         "ADR",      "TEL",   "EMAIL", "URL",     "BDAY",
    "NOTE", "IMPP", "ANNIVERSARY", "X-ANNIVERSARY", "NICKNAME", "PHOTO", "X-SIP", "X-CUSTOM"};

bool IsNamePart(const PersonDetail& d) {
  return d.kind == DetailKind::kName && (d.label == kPrefixLabel || d.label == kMiddleLabel || d.label == kSuffixLabel);
}
bool IsUnit(const PersonDetail& d) { return d.kind == DetailKind::kOrg && d.label == kUnitLabel; }

// One card as it is read. Phones, e-mails, addresses and web addresses
// wait as details in the card's order; the first of each kind, or the one
// preferred, goes to its field when the card ends.
class CardBuilder {
 public:
  // Room for the properties of a card as phones write them, taken once.
  explicit CardBuilder(int line) : line_(line) { waiting_.reserve(16); }

  int Line() const { return line_; }

  void Add(const Property& p, std::vector<std::string>& problems) {
    if (AddName(p) || AddReach(p)) return;
    const std::string& n = p.name;
    if (n == "BDAY" || n == "ANNIVERSARY" || n == "X-ANNIVERSARY") {
      AddDate(n == "BDAY" ? person_.Birthday : person_.Anniversary, p);
    } else if (n == "NOTE") {
      const std::string note = Unescaped(p.value);
      person_.Notes = person_.Notes.empty() ? note : person_.Notes + ("\r\n" + note);
    } else if (n == "PHOTO") {
      AddPhoto(p, problems);
    } else if (n == "X-CUSTOM" && !p.label.empty()) {
      Keep(PersonDetail::Of(DetailKind::kCustom, p.label, TextOf(p.value)));
    } else if (!IsBookkeeping(n)) {
      Keep(PersonDetail::Of(DetailKind::kCustom, CleanLabel(n), TextOf(p.value)));
    }
  }

  // The person the card holds; nothing when it holds nothing.
  std::optional<Person> Finish() {
    Person& p = person_;
    std::array<CompactText*, kSlots> fields = {&p.Phone, &p.WkPhone, &p.CelPhone, &p.Pager,
                                               &p.Fax,   &p.EMail,   &p.WebPage,  nullptr};
    std::string country;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
      const int best = best_[slot];
      if (best < 0) continue;
      PersonDetail& held = waiting_[static_cast<std::size_t>(best)].detail;
      if (slot == kAddress) {
        p.Address = held.street;
        p.City = held.city;
        p.State = held.region;
        p.Zip = held.postalCode;
        country = held.country.str();
      } else {
        *fields[slot] = std::move(held.value);
      }
      waiting_[static_cast<std::size_t>(best)].taken = true;
    }
    // The extension was written after the work number it belongs to.
    if (const std::size_t ext = p.WkPhone.view().find(" ext. "); ext != std::string_view::npos) {
      const std::string work = p.WkPhone.str();
      p.WkExt = work.substr(ext + 6);
      p.WkPhone = work.substr(0, ext);
    }
    // The country first, as the form keeps it; then the name parts and the
    // units, which a card writes in N and ORG; then the rest in card order.
    p.SetCountry(country);
    p.Details.reserve(waiting_.size() + 1);
    const auto order = [](const PersonDetail& d) { return IsNamePart(d) ? 0 : IsUnit(d) ? 1 : 2; };
    for (const int group : {0, 1, 2})
      for (Waiting& waiting : waiting_)
        if (!waiting.taken && order(waiting.detail) == group) {
          p.Details.push_back(std::move(waiting.detail));
          waiting.taken = true;
        }
    if (formatted_ && p.FName.empty() && p.LName.empty()) NameFromFormatted(*formatted_);
    bool any = p.HasExtras();
    for (const CompactText* field :
         {&p.Title, &p.FName, &p.LName, &p.Company, &p.Position, &p.Address, &p.City, &p.State, &p.Zip, &p.Phone,
          &p.WkPhone, &p.WkExt, &p.CelPhone, &p.Pager, &p.Fax, &p.EMail, &p.WebPage})
      any = any || !field->empty();
    if (!any) return std::nullopt;
    return std::move(person_);
  }

 private:
  enum Slot { kHomePhone, kWorkPhone, kCellPhone, kPager, kFax, kEMail, kWebPage, kAddress, kSlots };
  struct Waiting {
    PersonDetail detail;
    bool taken = false;
  };

  // The name, its parts, the organisation and the position; false for any
  // other property.
  bool AddName(const Property& p) {
    const std::string& n = p.name;
    if (n == "N") {
      AddNameParts(p);
    } else if (n == "FN") {
      if (!formatted_) formatted_ = Unescaped(p.value);
    } else if (n == "ORG") {
      AddOrganisation(p);
    } else if (n == "TITLE" && !positioned_) {
      positioned_ = true;
      person_.Position = TextOf(p.value);
    } else if (n == "NICKNAME") {
      std::string label = Label(p);
      if (label.empty() || label == kPrefixLabel || label == kMiddleLabel || label == kSuffixLabel)
        label = kNicknameLabel;
      for (const std::string& value : ListValues(p.value)) Keep(PersonDetail::Of(DetailKind::kName, label, value));
    } else {
      return false;
    }
    return true;
  }

  // The ways to reach the person; false for any other property.
  bool AddReach(const Property& p) {
    const std::string& n = p.name;
    if (n == "TEL") {
      AddPhone(p);
    } else if (n == "EMAIL") {
      Wait(kEMail, p, PersonDetail::Of(DetailKind::kEmail, Label(p, "internet"), TextOf(p.value)));
    } else if (n == "URL") {
      Wait(kWebPage, p, PersonDetail::Of(DetailKind::kUrl, Label(p), TextOf(p.value)));
    } else if (n == "ADR") {
      AddAddress(p);
    } else if (n == "IMPP" || n == "X-SIP") {
      const bool sip = n == "X-SIP" || StartsNoCase(p.value, "sip:");
      Keep(PersonDetail::Of(sip ? DetailKind::kSip : DetailKind::kIm, Label(p), TextOf(p.value)));
    } else {
      return false;
    }
    return true;
  }

  static Slot PhoneSlot(const Property& p) {
    if (Has(p, "fax")) return kFax;
    if (Has(p, "cell") || Has(p, "mobile")) return kCellPhone;
    if (Has(p, "pager")) return kPager;
    if (Has(p, "work")) return kWorkPhone;
    return kHomePhone;
  }

  void Keep(PersonDetail detail) { waiting_.push_back({std::move(detail)}); }

  // Waits as a detail; becomes the slot's field when it is the first or the
  // most preferred of its kind.
  void Wait(Slot slot, const Property& p, PersonDetail detail) {
    // An empty value holds nothing to keep.
    bool empty = detail.value.empty();
    for (const AddressPart& part : kAddressParts) empty = empty && (detail.*part.member).empty();
    if (empty) return;
    waiting_.push_back({std::move(detail)});
    if (p.pref < bestPref_[slot]) {
      bestPref_[slot] = p.pref;
      best_[slot] = static_cast<int>(waiting_.size() - 1);
    }
  }

  void AddNameParts(const Property& p) {
    if (named_) {
      Keep(PersonDetail::Of(DetailKind::kCustom, "N", Unescaped(p.value)));
      return;
    }
    named_ = true;
    const Parts parts = SplitParts(p.value);
    const auto part = [&](std::size_t i) { return parts[i]; };
    person_.LName = TextOf(part(0));
    person_.FName = TextOf(part(1));
    for (const std::string& middle : ListValues(part(2)))
      Keep(PersonDetail::Of(DetailKind::kName, kMiddleLabel, middle));
    // The first prefix is the title; a list may hold more ("Dr.,Prof.").
    const std::vector<std::string_view> prefixes = Split(part(3), ',', false);
    person_.Title = Unescaped(prefixes.front());
    for (std::size_t i = 1; i < prefixes.size(); ++i)
      if (std::string prefix = Unescaped(prefixes[i]); !prefix.empty())
        Keep(PersonDetail::Of(DetailKind::kName, kPrefixLabel, prefix));
    for (const std::string& suffix : ListValues(part(4)))
      Keep(PersonDetail::Of(DetailKind::kName, kSuffixLabel, suffix));
  }

  void AddOrganisation(const Property& p) {
    const std::vector<std::string_view> parts = Split(p.value, ';', false);
    if (!organised_) {
      organised_ = true;
      person_.Company = TextOf(parts.front());
    } else {
      Keep(PersonDetail::Of(DetailKind::kOrg, Label(p), Unescaped(parts.front())));
    }
    for (std::size_t i = 1; i < parts.size(); ++i)
      if (std::string unit = Unescaped(parts[i]); !unit.empty())
        Keep(PersonDetail::Of(DetailKind::kOrg, kUnitLabel, unit));
  }

  void AddPhone(const Property& p) {
    if (p.valueType == "text" || !StartsNoCase(p.value, "tel:")) {
      Wait(PhoneSlot(p), p, PersonDetail::Of(DetailKind::kPhone, Label(p), TextOf(p.value)));
      return;
    }
    // "tel:+1-555-0100;ext=12": the number, and its extension as the form
    // writes one after a work number.
    const std::string address = Unescaped(p.value);
    std::string ext;
    const std::vector<std::string_view> pieces = Split(std::string_view(address).substr(4), ';', true);
    for (std::size_t i = 1; i < pieces.size(); ++i)
      if (StartsNoCase(pieces[i], "ext=")) ext = pieces[i].substr(4);
    std::string number(pieces.front());
    if (!ext.empty()) number += " ext. " + ext;
    Wait(PhoneSlot(p), p, PersonDetail::Of(DetailKind::kPhone, Label(p), number));
  }

  void AddAddress(const Property& p) {
    const Parts parts = SplitParts(p.value);
    const auto part = [&](std::size_t i) { return TextOf(parts[i]); };
    // The extended address ("Apt 2") and a post office box go on the lines
    // after the street.
    CompactText street = part(2);
    for (const std::size_t more : {std::size_t{1}, std::size_t{0}})
      if (const CompactText line = part(more); !line.empty()) street = street.empty() ? line : street + ("\r\n" + line);
    PersonDetail detail = PersonDetail::Of(DetailKind::kAddress, Label(p), {});
    detail.street = std::move(street);
    detail.city = part(3);
    detail.region = part(4);
    detail.postalCode = part(5);
    detail.country = part(6);
    Wait(kAddress, p, std::move(detail));
  }

  // A date that does not read, or a second one, is kept as it is written.
  void AddDate(PartialDate& date, const Property& p) {
    std::string text = Unescaped(p.value);
    const std::optional<PartialDate> read = PartialDate::Parse(TrimView(text));
    if (read && !date.IsSet())
      date = *read;
    else if (!text.empty())
      Keep(PersonDetail::Of(DetailKind::kCustom, p.name, text));
  }

  void AddPhoto(const Property& p, std::vector<std::string>& problems) {
    std::string_view data = p.value;
    std::string type = PhotoMediaType(p);
    bool inline64 = p.base64;
    // "data:image/jpeg;base64,...", as version 4.0 carries a photo.
    if (!inline64 && StartsNoCase(data, "data:")) {
      const std::size_t comma = data.find(',');
      const std::string_view head = data.substr(5, comma == std::string_view::npos ? 0 : comma - 5);
      if (comma != std::string_view::npos && head.size() >= 7 && IsNoCase(head.substr(head.size() - 7), ";base64")) {
        type = MediaType(head.substr(0, head.size() - 7));
        data.remove_prefix(comma + 1);
        inline64 = true;
      }
    }
    if (!inline64) {
      // A photo kept elsewhere: its address.
      Keep(PersonDetail::Of(DetailKind::kUrl, "photo", Unescaped(p.value)));
      return;
    }
    char problem[80];
    if (Base64DecodedSize(data) > kLargestPhoto) {
      std::snprintf(problem, sizeof problem, "line %d: photo larger than 1 MB left out", p.line);
      problems.emplace_back(problem);
      return;
    }
    const std::optional<std::string> bytes = Base64Decode(data);
    if (!bytes || bytes->empty()) {
      std::snprintf(problem, sizeof problem, "line %d: photo that is not base64 left out", p.line);
      problems.emplace_back(problem);
      return;
    }
    PersonDetail photo = PersonDetail::Of(DetailKind::kPhoto, {}, Base64Encode(*bytes));
    photo.type = type;
    Keep(std::move(photo));
  }

  // A card without N names its person by FN: the last word is the last
  // name. FN that repeats the company, an e-mail address, a phone number or
  // a web address names nobody; the person is listed by that.
  void NameFromFormatted(std::string_view formatted) {
    Person& p = person_;
    const std::string_view name = TrimView(formatted);
    if (name.empty()) return;
    for (const CompactText* field :
         {&p.Company, &p.EMail, &p.CelPhone, &p.Phone, &p.WkPhone, &p.Pager, &p.Fax, &p.WebPage})
      if (TrimView(*field) == name) return;
    const std::size_t space = name.find_last_of(" \t");
    if (space == std::string_view::npos) {
      p.LName = name;
      return;
    }
    p.LName = name.substr(space + 1);
    p.FName = TrimView(name.substr(0, space));
  }

  int line_;
  Person person_;
  std::vector<Waiting> waiting_;
  std::array<int, kSlots> best_ = {-1, -1, -1, -1, -1, -1, -1, -1};
  std::array<int, kSlots> bestPref_ = {kNotPreferred + 1, kNotPreferred + 1, kNotPreferred + 1, kNotPreferred + 1,
                                       kNotPreferred + 1, kNotPreferred + 1, kNotPreferred + 1, kNotPreferred + 1};
  std::optional<std::string> formatted_;
  bool named_ = false;
  bool organised_ = false;
  bool positioned_ = false;
};

class CardsReader : public vcard::ContentLineSink {
 public:
  explicit CardsReader(bool wide) : wide_(wide) {}

  void Line(std::string_view line, int number) override {
    if (IsBlank(line)) return;
    if (IsLine(line, "begin:vcard")) {
      result_.foundCard = true;
      if (card_) Skip("card has no END", card_->Line());
      card_.emplace(number);
    } else if (IsLine(line, "end:vcard")) {
      if (!card_) return;
      if (!broken_.empty())
        Skip({}, 0);
      else if (std::optional<Person> person = card_->Finish())
        result_.persons.push_back(std::move(*person));
      else
        Skip("card holds nothing", card_->Line());
      card_.reset();
    } else if (card_ && broken_.empty()) {
      if (ReadProperty(line, number, wide_, converter_, property_))
        card_->Add(property_, result_.problems);
      else
        Break("card has a line that is no property", number);
    }
  }

  // The card being read cannot be: said when the card ends.
  void Break(const char* why, int number) override {
    if (!card_ || !broken_.empty()) return;
    char text[96];
    std::snprintf(text, sizeof text, "line %d: %s", number, why);
    broken_ = text;
  }

  VCardImport Finish() {
    if (card_) Skip("card has no END", card_->Line());
    return std::move(result_);
  }

 private:
  // Counts the card as skipped, for its break or for `why` at `number`.
  void Skip(const char* why, int number) {
    ++result_.unreadable;
    if (broken_.empty()) Break(why, number);
    result_.problems.push_back(std::move(broken_));
    broken_.clear();
    card_.reset();
  }

  bool wide_;
  CharsetConverter converter_;
  Property property_;
  VCardImport result_;
  std::optional<CardBuilder> card_;
  std::string broken_;
};

std::string_view WithoutUtf8Mark(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

}  // namespace

VCardImport ReadVCards(std::string_view text) {
  const std::optional<std::string> wide = WideFileAsUtf8(text);
  if (wide) text = *wide;
  CardsReader reader(wide.has_value());
  vcard::ReadContentLines(WithoutUtf8Mark(text), reader);
  return reader.Finish();
}

bool LooksLikeVCard(std::string_view text) {
  const std::optional<std::string> wide = WideFileAsUtf8(text);
  if (wide) text = *wide;
  const std::string_view rest = TrimView(WithoutUtf8Mark(text));
  const std::size_t end = rest.find_first_of("\r\n");
  return IsLine(rest.substr(0, end), "begin:vcard");
}

bool IsCustomPropertyName(std::string_view name) {
  if (name.empty() || IsBookkeeping(name)) return false;
  if (std::find(kHeldNames.begin(), kHeldNames.end(), name) != kHeldNames.end()) return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'; });
}

}  // namespace vimbo
