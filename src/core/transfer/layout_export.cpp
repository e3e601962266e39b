#include "core/transfer/layout_export.h"

#include <algorithm>
#include <map>
#include <new>
#include <vector>

#include "core/document/file_io.h"
#include "core/transfer/column_roles.h"
#include "core/transfer/contact_labels.h"

namespace vimbo {
namespace {

// One person's line: the value of each column by its name.
using Line = std::map<std::string, std::string>;

struct Table {
  std::vector<std::string> columns;
  std::vector<Line> lines;
};

// The work phone with its extension, as address books without an extension
// column write it ("555 0100 x12"); the import splits it again.
std::string WorkPhone(const Person& person) {
  std::string phone = person.WkPhone.str();
  if (!person.WkExt.empty()) phone.append(phone.empty() ? "x" : " x").append(person.WkExt.view());
  return phone;
}

std::string DateText(const PartialDate& date, bool monthFirst) {
  if (!date.IsSet() || !monthFirst || !date.HasYear()) return date.Text();
  return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" + std::to_string(date.year);
}

bool IsCountryHolder(const PersonDetail& detail) {
  return detail.kind == DetailKind::kAddress && detail.street.empty() && detail.city.empty() && detail.region.empty() &&
         detail.postalCode.empty() && detail.value.empty();
}

struct Address {
  std::string label;
  std::string street, city, region, postalCode, country;
};

struct Typed {
  std::string label;
  std::string value;
};

// A person's values of each kind in the order the import reads them back:
// the seventeen fields first, then the details.
struct Values {
  std::vector<Typed> phones, emails, urls, ims, customs, orgs;
  std::vector<Address> addresses;
  std::string middle, suffix, nickname, unit;
};

Values ValuesOf(const Person& person) {
  Values values;
  const auto add = [](std::vector<Typed>& list, std::string_view label, std::string_view value) {
    if (!value.empty()) list.push_back({std::string(label), std::string(value)});
  };
  add(values.phones, "home", person.Phone);
  add(values.phones, "work", WorkPhone(person));
  add(values.phones, "cell", person.CelPhone);
  add(values.phones, "pager", person.Pager);
  add(values.phones, "work,fax", person.Fax);
  add(values.emails, "", person.EMail);
  add(values.urls, "", person.WebPage);
  const std::string_view country = person.Country();
  if (!person.Address.empty() || !person.City.empty() || !person.State.empty() || !person.Zip.empty() ||
      !country.empty()) {
    values.addresses.push_back(
        {"home", person.Address.str(), person.City.str(), person.State.str(), person.Zip.str(), std::string(country)});
  }
  bool countrySkipped = false;
  for (const PersonDetail& detail : person.Details) {
    switch (detail.kind) {
      case DetailKind::kPhone: add(values.phones, detail.label, detail.value); break;
      case DetailKind::kEmail: add(values.emails, detail.label, detail.value); break;
      case DetailKind::kUrl: add(values.urls, detail.label, detail.value); break;
      case DetailKind::kIm: add(values.ims, detail.label, detail.value); break;
      case DetailKind::kCustom: add(values.customs, detail.label, detail.value); break;
      case DetailKind::kAddress:
        // The country of the main address is written with it.
        if (!countrySkipped && IsCountryHolder(detail)) {
          countrySkipped = true;
          break;
        }
        values.addresses.push_back({detail.label.str(), detail.street.str(), detail.city.str(), detail.region.str(),
                                    detail.postalCode.str(), detail.country.str()});
        break;
      case DetailKind::kName:
        if (detail.label == kMiddleLabel) values.middle = detail.value.str();
        if (detail.label == kSuffixLabel) values.suffix = detail.value.str();
        if (detail.label == kNicknameLabel) values.nickname = detail.value.str();
        break;
      case DetailKind::kOrg:
        if (detail.label == kUnitLabel && values.unit.empty()) {
          values.unit = detail.value.str();
        } else if (detail.label != kUnitLabel) {
          add(values.orgs, detail.label, detail.value);
        }
        break;
      default: break;
    }
  }
  return values;
}

std::string FormattedAddress(const Address& address) {
  std::string text = address.street;
  std::string place = address.city;
  for (const std::string* part : {&address.region, &address.postalCode}) {
    if (part->empty()) continue;
    if (!place.empty()) place += ' ';
    place += *part;
  }
  for (const std::string* line : {static_cast<const std::string*>(&place), &address.country}) {
    if (line->empty()) continue;
    if (!text.empty()) text += '\n';
    text += *line;
  }
  return text;
}

// The columns of a numbered group, written for as many values as the person
// with the most has.
void AddNumbered(Table& table, DetailKind kind, std::size_t count, std::initializer_list<GroupPart> parts) {
  for (std::size_t n = 1; n <= count; ++n) {
    table.columns.push_back(GroupKey(kind, static_cast<int>(n), {}, std::nullopt));
    for (const GroupPart part : parts) table.columns.push_back(GroupKey(kind, static_cast<int>(n), {}, part));
  }
}

void PutTyped(Line& line, DetailKind kind, const std::vector<Typed>& values, bool rawType) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int n = static_cast<int>(i + 1);
    line[GroupKey(kind, n, {}, std::nullopt)] = rawType ? values[i].label : TypeOfLabel(values[i].label);
    line[GroupKey(kind, n, {}, GroupPart::kValue)] = values[i].value;
  }
}

Table GoogleTable(const DocumentData& data) {
  Table table;
  table.columns = {"Name",        "Given Name", "Additional Name", "Family Name", "Name Prefix",
                   "Name Suffix", "Nickname",   "Birthday",        "Notes"};
  std::size_t emails = 0, phones = 0, addresses = 0, urls = 0, ims = 0, customs = 0, orgs = 0;
  bool anniversary = false;
  for (const auto& [id, person] : data.persons) {
    const Values values = ValuesOf(person);
    Line line;
    std::string name = person.FName.str();
    if (!person.LName.empty()) name.append(name.empty() ? "" : " ").append(person.LName.view());
    line["Name"] = name;
    line["Given Name"] = person.FName.str();
    line["Additional Name"] = values.middle;
    line["Family Name"] = person.LName.str();
    line["Name Prefix"] = person.Title.str();
    line["Name Suffix"] = values.suffix;
    line["Nickname"] = values.nickname;
    line["Birthday"] = person.Birthday.Text();
    line["Notes"] = person.Notes.str();
    PutTyped(line, DetailKind::kEmail, values.emails, false);
    PutTyped(line, DetailKind::kPhone, values.phones, false);
    PutTyped(line, DetailKind::kUrl, values.urls, false);
    PutTyped(line, DetailKind::kIm, values.ims, false);
    PutTyped(line, DetailKind::kCustom, values.customs, true);
    for (std::size_t i = 0; i < values.addresses.size(); ++i) {
      const Address& address = values.addresses[i];
      const int n = static_cast<int>(i + 1);
      line[GroupKey(DetailKind::kAddress, n, {}, std::nullopt)] = TypeOfLabel(address.label);
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kFormatted)] = FormattedAddress(address);
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kStreet)] = address.street;
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kCity)] = address.city;
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kRegion)] = address.region;
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kPostalCode)] = address.postalCode;
      line[GroupKey(DetailKind::kAddress, n, {}, GroupPart::kCountry)] = address.country;
    }
    // The organisation in the fields first, then the others by name.
    std::vector<Typed> organizations = values.orgs;
    if (!person.Company.empty() || !person.Position.empty() || !values.unit.empty())
      organizations.insert(organizations.begin(), {"", person.Company.str()});
    for (std::size_t i = 0; i < organizations.size(); ++i) {
      const int n = static_cast<int>(i + 1);
      line[GroupKey(DetailKind::kOrg, n, {}, std::nullopt)] = TypeOfLabel(organizations[i].label);
      line[GroupKey(DetailKind::kOrg, n, {}, GroupPart::kName)] = organizations[i].value;
      if (i == 0 && organizations.size() > values.orgs.size()) {
        line[GroupKey(DetailKind::kOrg, n, {}, GroupPart::kTitle)] = person.Position.str();
        line[GroupKey(DetailKind::kOrg, n, {}, GroupPart::kDepartment)] = values.unit;
      }
    }
    if (person.Anniversary.IsSet()) {
      line["Event 1 - Type"] = "Anniversary";
      line["Event 1 - Value"] = person.Anniversary.Text();
      anniversary = true;
    }
    emails = std::max(emails, values.emails.size());
    phones = std::max(phones, values.phones.size());
    addresses = std::max(addresses, values.addresses.size());
    urls = std::max(urls, values.urls.size());
    ims = std::max(ims, values.ims.size());
    customs = std::max(customs, values.customs.size());
    orgs = std::max(orgs, organizations.size());
    table.lines.push_back(std::move(line));
  }
  AddNumbered(table, DetailKind::kEmail, emails, {GroupPart::kValue});
  AddNumbered(table, DetailKind::kPhone, phones, {GroupPart::kValue});
  AddNumbered(table, DetailKind::kAddress, addresses,
              {GroupPart::kFormatted, GroupPart::kStreet, GroupPart::kCity, GroupPart::kRegion, GroupPart::kPostalCode,
               GroupPart::kCountry});
  AddNumbered(table, DetailKind::kOrg, orgs, {GroupPart::kName, GroupPart::kTitle, GroupPart::kDepartment});
  AddNumbered(table, DetailKind::kUrl, urls, {GroupPart::kValue});
  AddNumbered(table, DetailKind::kIm, ims, {GroupPart::kValue});
  if (anniversary) table.columns.insert(table.columns.end(), {"Event 1 - Type", "Event 1 - Value"});
  AddNumbered(table, DetailKind::kCustom, customs, {GroupPart::kValue});
  return table;
}

// The fixed columns of the desktop layout, in its order.
constexpr std::string_view kOutlookColumns[] = {
    "Title",
    "First Name",
    "Middle Name",
    "Last Name",
    "Suffix",
    "Company",
    "Department",
    "Job Title",
    "Business Street",
    "Business City",
    "Business State",
    "Business Postal Code",
    "Business Country/Region",
    "Home Street",
    "Home City",
    "Home State",
    "Home Postal Code",
    "Home Country/Region",
    "Other Street",
    "Other City",
    "Other State",
    "Other Postal Code",
    "Other Country/Region",
    "Business Fax",
    "Business Phone",
    "Business Phone 2",
    "Home Fax",
    "Home Phone",
    "Home Phone 2",
    "Mobile Phone",
    "Other Fax",
    "Other Phone",
    "Pager",
    "Anniversary",
    "Birthday",
    "E-mail Address",
    "E-mail 2 Address",
    "E-mail 3 Address",
    "Notes",
    "Web Page",
};

// Puts the value into the first of the columns that is still free.
void PutInFree(Line& line, std::initializer_list<const char*> columns, const std::string& value) {
  for (const char* column : columns) {
    std::string& cell = line[column];
    if (!cell.empty()) continue;
    cell = value;
    return;
  }
}

// Each address goes to the block its label names while that is free, else
// to the other block while that is; the main address, labelled home and
// first, is the home block.
void PutOutlookAddresses(Line& line, const Values& values) {
  for (const Address& address : values.addresses) {
    const auto free = [&line](const std::string& block) {
      return line[block + " Street"].empty() && line[block + " City"].empty();
    };
    std::string block = "Other";
    if (LabelHas(address.label, "work") && free("Business")) {
      block = "Business";
    } else if (LabelHas(address.label, "home") && free("Home")) {
      block = "Home";
    }
    if (!free(block)) continue;
    line[block + " Street"] = address.street;
    line[block + " City"] = address.city;
    line[block + " State"] = address.region;
    line[block + " Postal Code"] = address.postalCode;
    line[block + " Country/Region"] = address.country;
  }
}

void PutOutlookPhone(Line& line, const Typed& phone) {
  if (LabelHas(phone.label, "fax")) {
    if (LabelHas(phone.label, "home")) {
      PutInFree(line, {"Home Fax", "Other Fax"}, phone.value);
    } else if (LabelHas(phone.label, "work")) {
      PutInFree(line, {"Business Fax", "Other Fax"}, phone.value);
    } else {
      PutInFree(line, {"Other Fax"}, phone.value);
    }
  } else if (LabelHas(phone.label, "work")) {
    PutInFree(line, {"Business Phone", "Business Phone 2"}, phone.value);
  } else if (LabelHas(phone.label, "cell")) {
    PutInFree(line, {"Mobile Phone", "Other Phone"}, phone.value);
  } else if (LabelHas(phone.label, "pager")) {
    PutInFree(line, {"Pager", "Other Phone"}, phone.value);
  } else if (LabelHas(phone.label, "home")) {
    PutInFree(line, {"Home Phone", "Home Phone 2"}, phone.value);
  } else {
    PutInFree(line, {"Other Phone"}, phone.value);
  }
}

Table OutlookTable(const DocumentData& data) {
  Table table;
  table.columns.assign(std::begin(kOutlookColumns), std::end(kOutlookColumns));
  for (const auto& [id, person] : data.persons) {
    const Values values = ValuesOf(person);
    Line line;
    line["Title"] = person.Title.str();
    line["First Name"] = person.FName.str();
    line["Middle Name"] = values.middle;
    line["Last Name"] = person.LName.str();
    line["Suffix"] = values.suffix;
    line["Company"] = person.Company.str();
    line["Department"] = values.unit;
    line["Job Title"] = person.Position.str();
    line["Anniversary"] = DateText(person.Anniversary, true);
    line["Birthday"] = DateText(person.Birthday, true);
    line["Notes"] = person.Notes.str();
    line["Web Page"] = person.WebPage.str();
    PutOutlookAddresses(line, values);
    for (const Typed& phone : values.phones) PutOutlookPhone(line, phone);
    for (const Typed& email : values.emails)
      PutInFree(line, {"E-mail Address", "E-mail 2 Address", "E-mail 3 Address"}, email.value);
    table.lines.push_back(std::move(line));
  }
  return table;
}

// A value in double quotes when it holds what would end it early or be
// trimmed on reading: a comma, a quote, a line break or outer white space.
void PutCell(std::string& out, const std::string& value) {
  const bool quoted = value.find_first_of(",\"\r\n") != std::string::npos ||
                      (!value.empty() &&
                       (value.front() == ' ' || value.back() == ' ' || value.front() == '\t' || value.back() == '\t'));
  if (!quoted) {
    out += value;
    return;
  }
  out += '"';
  for (const char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string TableText(const Table& table) {
  std::string text;
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    if (i > 0) text += ',';
    PutCell(text, table.columns[i]);
  }
  text += '\n';
  for (const Line& line : table.lines) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      if (i > 0) text += ',';
      const auto cell = line.find(table.columns[i]);
      if (cell != line.end()) PutCell(text, cell->second);
    }
    text += '\n';
  }
  return text;
}

}  // namespace

std::optional<ExportLayout> ExportLayoutNamed(std::string_view name) {
  if (name == "vimbo") return ExportLayout::kVimbo;
  if (name == "google") return ExportLayout::kGoogle;
  if (name == "outlook") return ExportLayout::kOutlook;
  return std::nullopt;
}

std::string LayoutExportText(const DocumentData& data, ExportLayout layout) {
  return TableText(layout == ExportLayout::kOutlook ? OutlookTable(data) : GoogleTable(data));
}

Outcome ExportPersonsInLayout(const DocumentData& data, ExportLayout layout, const std::string& path,
                              const ExportSink& sink) {
  try {
    if (sink(LayoutExportText(data, layout))) return Outcome::Done(static_cast<int>(data.persons.Size()));
  } catch (const std::bad_alloc&) {
  }
  return Outcome::Failed(SaveErrorMessage(path));
}

Outcome ExportPersonsInLayout(const DocumentData& data, ExportLayout layout, const std::string& path) {
  try {
    AtomicFileWriter file(path);
    Outcome outcome =
        ExportPersonsInLayout(data, layout, path, [&file](std::string_view bytes) { return file.Append(bytes); });
    if (outcome.IsDone() && !file.Commit()) outcome = Outcome::Failed(SaveErrorMessage(path));
    return outcome;
  } catch (const std::bad_alloc&) {
    return Outcome::Failed(SaveErrorMessage(path));
  }
}

}  // namespace vimbo
