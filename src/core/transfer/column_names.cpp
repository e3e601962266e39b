#include "core/transfer/column_names.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "core/transfer/column_roles.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

struct Heading {
  std::string_view name;  // as Comparable gives it
  std::string_view key;
};

// The headings other programs write, each under the key of what it holds.
// Numbered headings ("Phone 1 - Type", "Address 2 - City") are read by
// their pattern instead. A phone, e-mail or address column carries the type
// its heading names, and the import puts its value where that type goes.
constexpr Heading kHeadings[] = {
    {"givenname", "FirstName"},
    {"forename", "FirstName"},
    {"surname", "LastName"},
    {"familyname", "LastName"},
    {"name", "Name"},
    {"fullname", "Name"},
    {"displayname", "Name"},
    {"middlename", "Middle Name"},
    {"additionalname", "Middle Name"},
    {"suffix", "Name Suffix"},
    {"namesuffix", "Name Suffix"},
    {"nickname", "Nickname"},
    {"birthday", "Birthday"},
    {"dateofbirth", "Birthday"},
    {"anniversary", "Anniversary"},
    {"notes", "Notes"},
    {"note", "Notes"},
    {"country", "Country"},
    {"countryregion", "Country"},
    {"street", "Address"},
    {"homeaddress", "Address"},
    {"streetaddress", "Address"},
    {"town", "City"},
    {"region", "State"},
    {"province", "State"},
    {"stateprovince", "State"},
    {"zip", "ZipCode"},
    {"postalcode", "ZipCode"},
    {"postcode", "ZipCode"},
    {"homezipcode", "ZipCode"},
    {"homestreet", "Address (home) - Street"},
    {"homestreet2", "Address (home) - Street"},
    {"homestreet3", "Address (home) - Street"},
    {"homecity", "Address (home) - City"},
    {"homestate", "Address (home) - Region"},
    {"homepostalcode", "Address (home) - Postal Code"},
    {"homecountry", "Address (home) - Country"},
    {"homecountryregion", "Address (home) - Country"},
    {"homeaddresspobox", "Address (home) - PO Box"},
    {"businessstreet", "Address (work) - Street"},
    {"businessstreet2", "Address (work) - Street"},
    {"businessstreet3", "Address (work) - Street"},
    {"businesscity", "Address (work) - City"},
    {"businessstate", "Address (work) - Region"},
    {"businesspostalcode", "Address (work) - Postal Code"},
    {"businesscountry", "Address (work) - Country"},
    {"businesscountryregion", "Address (work) - Country"},
    {"businessaddresspobox", "Address (work) - PO Box"},
    {"otherstreet", "Address (other) - Street"},
    {"otherstreet2", "Address (other) - Street"},
    {"otherstreet3", "Address (other) - Street"},
    {"othercity", "Address (other) - City"},
    {"otherstate", "Address (other) - Region"},
    {"otherpostalcode", "Address (other) - Postal Code"},
    {"othercountry", "Address (other) - Country"},
    {"othercountryregion", "Address (other) - Country"},
    {"otheraddresspobox", "Address (other) - PO Box"},
    {"telephone", "Phone"},
    {"phonenumber", "Phone"},
    {"homephone", "Phone (home)"},
    {"homephone2", "Phone (home)"},
    {"businessphone", "Phone (work)"},
    {"businessphone2", "Phone (work)"},
    {"workphone", "Phone (work)"},
    {"officephone", "Phone (work)"},
    {"mobilephone", "Phone (cell)"},
    {"mobile", "Phone (cell)"},
    {"mobilenumber", "Phone (cell)"},
    {"cellphone", "Phone (cell)"},
    {"cell", "Phone (cell)"},
    {"pagernumber", "Phone (pager)"},
    {"businessfax", "Phone (work,fax)"},
    {"homefax", "Phone (home,fax)"},
    {"otherfax", "Phone (other,fax)"},
    {"faxnumber", "Fax"},
    {"otherphone", "Phone (other)"},
    {"primaryphone", "Phone (pref)"},
    {"companymainphone", "Phone (main)"},
    {"carphone", "Phone (car)"},
    {"assistantsphone", "Phone (assistant)"},
    {"callback", "Phone (callback)"},
    {"isdn", "Phone (isdn)"},
    {"radiophone", "Phone (radio)"},
    {"ttytddphone", "Phone (textphone)"},
    {"telex", "Phone (telex)"},
    {"emailaddress", "E-mail"},
    {"email2address", "E-mail"},
    {"email3address", "E-mail"},
    {"primaryemail", "E-mail"},
    {"mail", "E-mail"},
    {"organization", "Company"},
    {"organisation", "Company"},
    {"companyname", "Company"},
    {"organizationname", "Company"},
    {"jobtitle", "Position"},
    {"organizationtitle", "Position"},
    {"role", "Position"},
    {"department", "Organization - Department"},
    {"organizationdepartment", "Organization - Department"},
    {"prefix", "Title"},
    {"nameprefix", "Title"},
    {"salutation", "Title"},
    {"ext", "Extension"},
    {"workextension", "Extension"},
    {"website", "WebPage"},
    {"web", "WebPage"},
    {"url", "WebPage"},
    {"homepage", "WebPage"},
    {"webpage1", "WebPage"},
    {"personalwebpage", "WebPage"},
};

// The heading with ASCII letters in lower case and every other ASCII
// character but the digits left out; other bytes stay as they are.
std::string Comparable(std::string_view heading) {
  std::string name;
  for (const char c : heading) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
      name += static_cast<char>(byte - 'A' + 'a');
    } else if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte >= 0x80) {
      name += c;
    }
  }
  return name;
}

}  // namespace

std::string PersonKeyOfHeading(std::string_view heading) {
  const std::string name = Comparable(heading);
  if (name.empty()) return {};
  for (const PersonKey& key : kPersonKeys)
    if (Comparable(key.key) == name) return std::string(key.key);
  const auto known = std::find_if(std::begin(kHeadings), std::end(kHeadings),
                                  [&](const Heading& entry) { return entry.name == name; });
  if (known != std::end(kHeadings)) return std::string(known->key);
  return KeyOfNumberedHeading(name);
}

std::vector<std::string> MatchColumnHeadings(const std::vector<std::string>& headings) {
  std::vector<std::string> keys;
  keys.reserve(headings.size());
  std::set<std::string> taken;
  for (const std::string& heading : headings) {
    std::string key = PersonKeyOfHeading(heading);
    const ColumnUse use = RoleOfKey(key).use;
    const bool repeatable = use == ColumnUse::kGroupPart || use == ColumnUse::kNotes;
    if (!key.empty() && !repeatable && !taken.insert(key).second) key.clear();
    keys.push_back(std::move(key));
  }
  return keys;
}

std::string ColumnsNotImportedText(const std::vector<std::string>& headings) {
  if (headings.empty()) return {};
  std::string text = "Columns not imported: ";
  for (std::size_t i = 0; i < headings.size(); ++i) text.append(i > 0 ? ", " : "").append(headings[i]);
  return text;
}

}  // namespace vimbo
