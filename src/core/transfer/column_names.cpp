#include "core/transfer/column_names.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

struct Heading {
  std::string_view name;  // as Comparable gives it
  std::string_view key;
};

// The headings other programs write, each under the person field it holds.
// The person's address and phone are the home ones, so a business street or
// city is left for the user to assign; fields the person has no room for
// (country, department, middle name) are not named here and stay unassigned.
constexpr Heading kHeadings[] = {
    {"givenname", "FirstName"},
    {"forename", "FirstName"},
    {"surname", "LastName"},
    {"familyname", "LastName"},
    {"street", "Address"},
    {"homestreet", "Address"},
    {"homeaddress", "Address"},
    {"streetaddress", "Address"},
    {"address1street", "Address"},
    {"homecity", "City"},
    {"town", "City"},
    {"address1city", "City"},
    {"homestate", "State"},
    {"region", "State"},
    {"province", "State"},
    {"stateprovince", "State"},
    {"address1region", "State"},
    {"zip", "ZipCode"},
    {"postalcode", "ZipCode"},
    {"postcode", "ZipCode"},
    {"homepostalcode", "ZipCode"},
    {"homezipcode", "ZipCode"},
    {"address1postalcode", "ZipCode"},
    {"homephone", "Phone"},
    {"telephone", "Phone"},
    {"phonenumber", "Phone"},
    {"phone1value", "Phone"},
    {"businessfax", "Fax"},
    {"homefax", "Fax"},
    {"faxnumber", "Fax"},
    {"emailaddress", "E-Mail"},
    {"email1value", "E-Mail"},
    {"primaryemail", "E-Mail"},
    {"mail", "E-Mail"},
    {"organization", "Company"},
    {"organisation", "Company"},
    {"organization1name", "Company"},
    {"companyname", "Company"},
    {"jobtitle", "Position"},
    {"organization1title", "Position"},
    {"role", "Position"},
    {"prefix", "Title"},
    {"nameprefix", "Title"},
    {"salutation", "Title"},
    {"businessphone", "WorkPhone"},
    {"officephone", "WorkPhone"},
    {"ext", "Extension"},
    {"workextension", "Extension"},
    {"cellphone", "CelPhone"},
    {"mobilephone", "CelPhone"},
    {"mobile", "CelPhone"},
    {"mobilenumber", "CelPhone"},
    {"cell", "CelPhone"},
    {"pagernumber", "Pager"},
    {"website", "WebPage"},
    {"web", "WebPage"},
    {"url", "WebPage"},
    {"homepage", "WebPage"},
    {"webpage1", "WebPage"},
    {"website1value", "WebPage"},
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

std::string_view PersonKeyOfHeading(std::string_view heading) {
  const std::string name = Comparable(heading);
  if (name.empty()) return {};
  for (const PersonKey& key : kPersonKeys)
    if (Comparable(key.key) == name) return key.key;
  const auto known = std::find_if(std::begin(kHeadings), std::end(kHeadings),
                                  [&](const Heading& entry) { return entry.name == name; });
  return known == std::end(kHeadings) ? std::string_view() : known->key;
}

std::vector<std::string> MatchColumnHeadings(const std::vector<std::string>& headings) {
  std::vector<std::string> keys;
  keys.reserve(headings.size());
  std::set<std::string_view> taken;
  for (const std::string& heading : headings) {
    const std::string_view key = PersonKeyOfHeading(heading);
    keys.emplace_back(!key.empty() && taken.insert(key).second ? key : std::string_view());
  }
  return keys;
}

}  // namespace vimbo
