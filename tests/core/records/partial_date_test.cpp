#include <gtest/gtest.h>

#include <string>

#include "core/records/partial_date.h"
#include "core/records/records.h"

namespace vimbo {
namespace {

// The forms cards and files give a birthday in, and the one the document
// keeps; a text that names no real day is no date.
TEST(PartialDate, ReadsTheFormsCardsWriteAndKeepsOne) {
  const struct {
    const char* text;
    const char* kept;  // empty: not a date
  } cases[] = {
      {"1980-04-12", "1980-04-12"},
      {"19800412", "1980-04-12"},
      {"--04-12", "--04-12"},
      {"--0412", "--04-12"},
      {"1980-04-12T10:00:00Z", "1980-04-12"},
      {" 2000-02-29 ", "2000-02-29"},
      {"--02-29", "--02-29"},
      {"1900-02-29", ""},
      {"1980-13-01", ""},
      {"1980-04-31", ""},
      {"0000-04-12", ""},
      {"1980-0412", "1980-04-12"},
      {"1980-04-1", ""},
      {"April 12", ""},
      {"", ""},
      {"1980-04-12x", ""},
  };
  for (const auto& c : cases) {
    const std::optional<PartialDate> date = PartialDate::Parse(c.text);
    EXPECT_EQ(date ? date->Text() : std::string(), c.kept) << c.text;
  }
}

// The main address's country lives in a detail of its own, which comes and
// goes with the country and leaves other addresses alone.
TEST(PersonCountry, IsKeptInOneAddressDetail) {
  Person person;
  PersonDetail work;
  work.kind = DetailKind::kAddress;
  work.city = "Kiel";
  work.country = "Germany";
  person.Details.push_back(work);
  EXPECT_EQ(person.Country(), "");
  person.SetCountry("France");
  person.SetCountry("Spain");
  EXPECT_EQ(person.Country(), "Spain");
  ASSERT_EQ(person.Details.size(), 2U);
  person.SetCountry("");
  EXPECT_EQ(person.Details, std::vector<PersonDetail>{work});
}

}  // namespace
}  // namespace vimbo
